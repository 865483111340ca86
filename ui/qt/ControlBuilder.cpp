#include "ui/qt/ControlBuilder.h"

#include "form/frmVantrel.h"
#include "layout/Order.h"
#include "ui/qt/DriveComboBox.h"
#include "ui/qt/FolderListWidget.h"
#include "ui/qt/Pixels.h"
#include "ui/qt/ProgramIcon.h"
#include "ui/qt/SelectionList.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QEvent>
#include <QMouseEvent>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <qdrawutil.h>

namespace vantrel::qt {

namespace {

QString captionOf(const layout::Control& row)
{
    return QString::fromStdString(text::get(row.caption));
}

// A frame drawn as Windows draws one: an etched line whose top runs at the middle of the title, which interrupts it
// near the left end, so that the controls the design puts right below the title lie inside it. (The toolkit's
// own group box starts its line below the title, through the top row of a frame as low as "Autopilot Wing
// Leveler".)
class DesignFrame : public QGroupBox
{
public:
    using QGroupBox::QGroupBox;

protected:
    void paintEvent(QPaintEvent*) override
    {
        constexpr int kTitleIndent = 8; // pixels from the frame's left end to its title
        QPainter painter(this);
        const QFontMetrics metrics(font());
        qDrawShadeRect(&painter, rect().adjusted(0, metrics.height() / 2, 0, 0), palette(), true, 1);
        const QRect titleRect(kTitleIndent, 0, metrics.horizontalAdvance(title()), metrics.height());
        painter.fillRect(titleRect, palette().window());
        style()->drawItemText(&painter, titleRect, Qt::AlignLeft | Qt::AlignVCenter, palette(), isEnabled(), title(),
                              QPalette::WindowText);
    }
};

QWidget* makeWidget(const layout::Control& row, QWidget* parent)
{
    switch (row.kind) {
    case layout::Kind::Frame:
        return new DesignFrame(captionOf(row), parent);
    case layout::Kind::OptionButton:
        return new QRadioButton(captionOf(row), parent);
    case layout::Kind::CheckBox:
        return new QCheckBox(captionOf(row), parent);
    case layout::Kind::CommandButton: {
        auto* button = new QPushButton(captionOf(row), parent);
        button->setDefault((row.style & layout::kDefault) != 0);
        return button;
    }
    case layout::Kind::Label: {
        auto* label = new QLabel(captionOf(row), parent);
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap((row.style & layout::kWrapped) != 0);
        // A label of one line keeps the toolkit's own vertical centring.
        if ((row.style & (layout::kCentred | layout::kWrapped)) != 0)
            label->setAlignment(((row.style & layout::kCentred) != 0 ? Qt::AlignHCenter : Qt::AlignLeft) |
                                Qt::AlignTop);
        if ((row.style & layout::kLink) != 0)
            label->setCursor(Qt::PointingHandCursor);
        return label;
    }
    case layout::Kind::ListBox:
        return new SelectionList(parent);
    case layout::Kind::DriveList:
        return new DriveComboBox(parent);
    case layout::Kind::FolderList:
        return new FolderListWidget(parent);
    case layout::Kind::Picture: {
        auto* picture = new QLabel(parent);
        picture->setAlignment(Qt::AlignCenter);
        picture->setPixmap(programIconPixmap(twips(row.rect.width)));
        return picture;
    }
    case layout::Kind::Line: {
        // A sunken horizontal line is the etched separator: grey on top, white one pixel below.
        auto* line = new QFrame(parent);
        line->setFrameShape(QFrame::HLine);
        line->setFrameShadow(QFrame::Sunken);
        line->setLineWidth(1);
        line->setMidLineWidth(0);
        QPalette etched = line->palette();
        etched.setColor(QPalette::Dark, QColor(128, 128, 128));
        etched.setColor(QPalette::Light, Qt::white);
        line->setPalette(etched);
        return line;
    }
    case layout::Kind::FileList:
        break;
    }
    return nullptr;
}

void paint(QWidget* widget, layout::Colours colours)
{
    if (colours == layout::Colours::Standard)
        return;
    const layout::Rgb text = layout::textColour(colours);
    const QColor colour(text.red, text.green, text.blue);
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    if (colours == layout::Colours::BlackGreen) {
        palette.setColor(QPalette::Base, Qt::black);
        palette.setColor(QPalette::Window, Qt::black);
        palette.setColor(QPalette::Button, Qt::black);
        palette.setColor(QPalette::Text, colour);
        palette.setColor(QPalette::ButtonText, colour);
        widget->setAutoFillBackground(true);
    }
    widget->setPalette(palette);
}

// Clicks on a link label: the left button released over it.
class LinkClicks : public QObject
{
public:
    LinkClicks(QObject* label, std::function<void()> clicked) : QObject(label), clicked_(std::move(clicked)) {}

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::MouseButtonRelease)
            return false;
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton ||
            !static_cast<QWidget*>(watched)->rect().contains(mouse->position().toPoint()))
            return false;
        clicked_();
        return true;
    }

private:
    std::function<void()> clicked_;
};

// Connects `signal` of `control`, a widget of the kind that sends it, to `slot` for as long as `window` lives.
template <typename Widget, typename... Args, typename Slot>
void connectSignal(QWidget* window, QWidget* control, void (Widget::*signal)(Args...), Slot slot)
{
    QObject::connect(qobject_cast<Widget*>(control), signal, window, slot);
}

} // namespace

void buildControls(QWidget* window, const layout::Window& design)
{
    window->setObjectName(QLatin1String(design.name));
    if (design.title != text::Id::None)
        window->setWindowTitle(QString::fromStdString(text::get(design.title)));
    window->setWindowIcon(programIcon());
    const QSize size = toPixels(design.clientWidth, design.clientHeight);
    if (design.sizable)
        window->resize(size);
    else
        window->setFixedSize(size);

    for (const layout::Control& row : design) {
        if (!layout::isCreated(row) && row.kind != layout::Kind::Line)
            continue;
        QWidget* parent = row.parent != nullptr ? window->findChild<QWidget*>(QLatin1String(row.parent)) : window;
        QWidget* widget = makeWidget(row, parent);
        widget->setObjectName(QLatin1String(row.name));
        widget->setGeometry(toPixels(row.rect));
        widget->setEnabled(row.enabled);
        widget->setVisible(row.presence == layout::Presence::Shown);
        paint(widget, row.colours);
    }

    // Siblings stack in the order raised: bottom first.
    const std::vector<const layout::Control*> stacking = layout::stackingTopFirst(design);
    for (auto it = stacking.rbegin(); it != stacking.rend(); ++it)
        window->findChild<QWidget*>(QLatin1String((*it)->name))->raise();

    QWidget* previous = nullptr;
    for (const layout::Control* row : layout::tabOrder(design)) {
        QWidget* widget = window->findChild<QWidget*>(QLatin1String(row->name));
        if (widget == nullptr)
            continue;
        if (previous != nullptr)
            QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
}

void connectControls(QWidget* window, const layout::Window& design, const Fire& fire)
{
    using form::Event;
    using form::EventInput;
    for (const form::Wire& wire : form::frmVantrel::wiring()) {
        if (!layout::sameName(wire.window, design.name))
            continue;
        QWidget* control = window->findChild<QWidget*>(QLatin1String(wire.control));
        const form::Wire* const to = &wire;
        const auto on = [window, control](auto signal, auto slot) { connectSignal(window, control, signal, slot); };
        const auto plain = [fire, to] { fire(*to, {}); };
        const auto indexed = [fire, to](int index) { fire(*to, EventInput::of(index)); };
        switch (wire.event) {
        case Event::Click:
        case Event::Choose:
            if (qobject_cast<QAbstractButton*>(control) != nullptr)
                on(&QAbstractButton::clicked, plain);
            else
                control->installEventFilter(new LinkClicks(control, plain));
            break;
        case Event::Tick:
            on(&QAbstractButton::clicked, [indexed](bool ticked) { indexed(ticked ? 1 : 0); });
            break;
        case Event::Select:
            on(&QComboBox::activated, indexed);
            break;
        case Event::DropDown:
            on(&DriveComboBox::aboutToDropDown, plain);
            break;
        case Event::Open:
            on(&FolderListWidget::entryOpened, indexed);
            break;
        case Event::Toggle:
            on(&SelectionList::entryToggled, indexed);
            break;
        case Event::SetCurrent:
            on(&QListWidget::currentRowChanged, indexed);
            break;
        case Event::Move:
            on(&SelectionList::currentMoved,
               [fire, to](form::ListMove move, int rows) { fire(*to, EventInput::of(move, rows)); });
            break;
        case Event::TypeLetter:
            on(&SelectionList::letterTyped,
               [fire, to](const std::string& letter) { fire(*to, EventInput::of(letter)); });
            break;
        }
    }
}

} // namespace vantrel::qt
