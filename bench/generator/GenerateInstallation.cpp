#include "GenerateInstallation.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <random>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace fs = std::filesystem;

namespace vantrel::bench {

namespace {

// std::mt19937 yields the same sequence everywhere, but the std:: distributions do not (each library maps the raw
// numbers its own way), so the trees would differ between compilers. These helpers map the raw numbers themselves.
using Rng = std::mt19937;

constexpr std::uint64_t kKiB = 1024;
constexpr std::uint64_t kMiB = 1024 * 1024;
constexpr std::uint64_t kMinCfgBytes = 5 * kKiB;
constexpr std::uint64_t kMaxCfgBytes = 40 * kKiB;
// Each [fltsim.N] entry is at most about 1.6 KB and the wing-leveler lines add under 50 bytes, so filling up to this
// target keeps every file below the 40 KiB ceiling.
constexpr std::uint64_t kMaxTargetBytes = 38 * kKiB;
// The small files: a few sections of an ordinary file, the [autopilot] section (under 1 KiB) always among them.
constexpr std::uint64_t kMinSmallBytes = 2 * kKiB;
constexpr std::uint64_t kMaxSmallBytes = 14 * kKiB;

std::uint32_t below(Rng& rng, std::uint32_t n)
{
    // Rejection sampling: every value in [0, n) equally likely, no modulo bias.
    const std::uint64_t span = std::uint64_t(1) << 32;
    const std::uint64_t limit = span - span % n;
    std::uint64_t x = rng();
    while (x >= limit)
        x = rng();
    return static_cast<std::uint32_t>(x % n);
}

int between(Rng& rng, int lo, int hi)
{
    return lo + static_cast<int>(below(rng, static_cast<std::uint32_t>(hi - lo + 1)));
}

bool chance(Rng& rng, int percent)
{
    return static_cast<int>(below(rng, 100)) < percent;
}

template <typename T, std::size_t N> const T& pick(Rng& rng, const T (&items)[N])
{
    return items[below(rng, static_cast<std::uint32_t>(N))];
}

// Fixed-point text without floating point, so the digits are the same on every platform.
void appendFixed(std::string& out, long long scaled, int decimals)
{
    if (scaled < 0) {
        out += '-';
        scaled = -scaled;
    }
    long long divisor = 1;
    for (int i = 0; i < decimals; ++i)
        divisor *= 10;
    out += std::to_string(scaled / divisor);
    if (decimals > 0) {
        const std::string fraction = std::to_string(scaled % divisor);
        out += '.';
        out.append(static_cast<std::size_t>(decimals) - fraction.size(), '0');
        out += fraction;
    }
}

std::string fixed(long long scaled, int decimals)
{
    std::string s;
    appendFixed(s, scaled, decimals);
    return s;
}

struct Range
{
    int lo;
    int hi;
    int decimals;
};

// Never draw twice within one expression: the operands of + and the arguments of a call are evaluated in an
// unspecified order, and the trees then differ between compilers. This draws the numbers strictly left to right.
std::string randomList(Rng& rng, std::initializer_list<Range> ranges, const char* separator = ", ")
{
    std::string s;
    for (const Range& r : ranges) {
        if (!s.empty())
            s += separator;
        appendFixed(s, between(rng, r.lo, r.hi), r.decimals);
    }
    return s;
}

std::string lower(std::string s)
{
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return s;
}

// ---------------------------------------------------------------------------------------------------------------
// Vocabulary

enum Kind { Piston, PistonTwin, Turboprop, Regional, Airliner, Heavy, Bizjet, Warbird, Jet, Helicopter, Glider };

struct KindTraits
{
    int weightLo, weightHi; // max gross weight, lbs
    int cruiseLo, cruiseHi; // knots
    int engineType;         // 0 piston, 1 jet, 2 none, 3 helo turbine, 5 turboprop
    int pointsLo, pointsHi; // contact points
    int stationsLo, stationsHi;
    int maxBank;
    int verticalSpeed;
    const char* parking;
    const char* role;
    bool airline;
};

const KindTraits kTraits[] = {
    {1600, 3600, 95, 160, 0, 4, 7, 2, 5, 25, 700, "RAMP_GA_SMALL", "Single Engine Prop", false},
    {4000, 7500, 160, 220, 0, 5, 8, 4, 7, 25, 1000, "RAMP_GA_MEDIUM", "Twin Engine Prop", false},
    {9000, 28000, 220, 310, 5, 5, 10, 6, 12, 25, 1500, "RAMP_GA_LARGE", "Turboprop", false},
    {38000, 85000, 280, 450, 5, 6, 12, 10, 24, 25, 1800, "GATE_SMALL,RAMP_GA_LARGE", "Regional Airliner", true},
    {120000, 240000, 430, 480, 1, 8, 16, 14, 36, 25, 1800, "GATE_MEDIUM,GATE_LARGE", "Commercial Airliner", true},
    {380000, 910000, 470, 500, 1, 10, 20, 20, 48, 25, 2000, "GATE_HEAVY", "Commercial Airliner", true},
    {15000, 75000, 400, 500, 1, 6, 10, 6, 12, 30, 2500, "RAMP_GA_LARGE", "Business Jet", false},
    {7000, 12500, 230, 330, 0, 4, 7, 1, 3, 30, 2000, "MIL_COMBAT", "Warbird", false},
    {15000, 68000, 420, 560, 1, 5, 9, 1, 4, 35, 3000, "MIL_COMBAT,MIL_CARGO", "Military Jet", false},
    {3200, 11000, 100, 140, 3, 4, 6, 2, 8, 20, 500, "RAMP_GA_SMALL", "Helicopter", false},
    {1100, 1500, 50, 60, 2, 3, 5, 1, 2, 30, 0, "RAMP_GA_SMALL", "Glider", false},
};

struct Model
{
    const char* maker;
    const char* type;
    const char* shortName; // what people put in folder names
    Kind kind;
    int engines;
};

const Model kModels[] = {
    {"Cessna", "172 Skyhawk", "C172", Piston, 1},
    {"Cessna", "182 Skylane", "C182", Piston, 1},
    {"Cessna", "208 Caravan", "C208", Turboprop, 1},
    {"Cessna", "Citation X", "CitationX", Bizjet, 2},
    {"Cessna", "310R", "C310", PistonTwin, 2},
    {"Piper", "PA-28 Cherokee", "PA-28", Piston, 1},
    {"Piper", "J-3 Cub", "J3Cub", Piston, 1},
    {"Piper", "PA-34 Seneca", "Seneca", PistonTwin, 2},
    {"Beechcraft", "Baron 58", "Baron58", PistonTwin, 2},
    {"Beechcraft", "Bonanza A36", "A36", Piston, 1},
    {"Beechcraft", "King Air 350", "B350", Turboprop, 2},
    {"Beechcraft", "1900D", "B1900D", Turboprop, 2},
    {"Mooney", "M20J", "M20J", Piston, 1},
    {"Cirrus", "SR22", "SR22", Piston, 1},
    {"Diamond", "DA40", "DA40", Piston, 1},
    {"Socata", "TBM 850", "TBM850", Turboprop, 1},
    {"Pilatus", "PC-12", "PC12", Turboprop, 1},
    {"Extra", "300S", "Extra300", Piston, 1},
    {"Boeing", "737-800", "B737-800", Airliner, 2},
    {"Boeing", "737-300", "B737-300", Airliner, 2},
    {"Boeing", "727-200", "B727-200", Airliner, 3},
    {"Boeing", "747-400", "B747-400", Heavy, 4},
    {"Boeing", "757-200", "B757-200", Airliner, 2},
    {"Boeing", "767-300ER", "B767-300ER", Heavy, 2},
    {"Boeing", "777-200ER", "B777-200ER", Heavy, 2},
    {"Airbus", "A319", "A319", Airliner, 2},
    {"Airbus", "A320-200", "A320", Airliner, 2},
    {"Airbus", "A321", "A321", Airliner, 2},
    {"Airbus", "A330-300", "A330-300", Heavy, 2},
    {"Airbus", "A340-600", "A340-600", Heavy, 4},
    {"McDonnell Douglas", "MD-82", "MD82", Airliner, 2},
    {"McDonnell Douglas", "MD-11", "MD-11", Heavy, 3},
    {"McDonnell Douglas", "DC-10-30", "DC10", Heavy, 3},
    {"Douglas", "DC-3", "DC-3", PistonTwin, 2},
    {"Douglas", "DC-9-30", "DC9-30", Airliner, 2},
    {"Lockheed", "L-1011 TriStar", "L1011", Heavy, 3},
    {"Lockheed", "C-130 Hercules", "C130", Turboprop, 4},
    {"Lockheed", "L-1049 Super Constellation", "Connie", PistonTwin, 4},
    {"Fokker", "F100", "F100", Regional, 2},
    {"Fokker", "F27 Friendship", "F27", Regional, 2},
    {"de Havilland Canada", "DHC-6 Twin Otter", "DHC6", Turboprop, 2},
    {"de Havilland Canada", "Dash 8-300", "DH8C", Regional, 2},
    {"ATR", "72-500", "ATR72", Regional, 2},
    {"Embraer", "ERJ-145", "ERJ145", Regional, 2},
    {"Embraer", "E170", "E170", Regional, 2},
    {"Bombardier", "CRJ-700", "CRJ700", Regional, 2},
    {"Saab", "340B", "Saab340", Regional, 2},
    {"BAe", "146-200", "BAe146", Regional, 4},
    {"Dornier", "Do 228", "Do228", Turboprop, 2},
    {"Learjet", "45", "Learjet45", Bizjet, 2},
    {"Gulfstream", "G-IV", "GIV", Bizjet, 2},
    {"Aerospatiale-BAC", "Concorde", "Concorde", Heavy, 4},
    {"Tupolev", "Tu-154M", "Tu154", Airliner, 3},
    {"Ilyushin", "Il-76TD", "IL76", Heavy, 4},
    {"Antonov", "An-2", "An2", Piston, 1},
    {"North American", "P-51D Mustang", "P51D", Warbird, 1},
    {"Supermarine", "Spitfire Mk IX", "Spitfire", Warbird, 1},
    {"Grumman", "F6F Hellcat", "F6F", Warbird, 1},
    {"Lockheed Martin", "F-16C Fighting Falcon", "F16", Jet, 1},
    {"McDonnell Douglas", "F-15E Strike Eagle", "F15E", Jet, 2},
    {"Bell", "206B JetRanger III", "Bell206", Helicopter, 1},
    {"Robinson", "R44 Raven", "R44", Helicopter, 1},
    {"Schweizer", "SGS 2-32", "SGS232", Glider, 0},
};

struct Airline
{
    const char* name;
    const char* icao;
};

const Airline kAirlines[] = {
    {"Delta", "DAL"},
    {"American", "AAL"},
    {"United", "UAL"},
    {"Lufthansa", "DLH"},
    {"KLM", "KLM"},
    {"British Airways", "BAW"},
    {"Air France", "AFR"},
    {"Iberia", "IBE"},
    {"Alitalia", "AZA"},
    {"SAS", "SAS"},
    {"Swiss", "SWR"},
    {"Qantas", "QFA"},
    {"Air Canada", "ACA"},
    {"Continental", "COA"},
    {"Northwest", "NWA"},
    {"Southwest", "SWA"},
    {"Ryanair", "RYR"},
    {"easyJet", "EZY"},
    {"Aer Lingus", "EIN"},
    {"TAP Portugal", "TAP"},
    {"JAL", "JAL"},
    {"ANA", "ANA"},
    {"Cathay Pacific", "CPA"},
    {"Singapore", "SIA"},
    {"Emirates", "UAE"},
    {"Aeroflot", "AFL"},
    {"Finnair", "FIN"},
    {"Air Berlin", "BER"},
    {"Condor", "CFG"},
    {"Virgin Atlantic", "VIR"},
    {"Alaska", "ASA"},
    {"US Airways", "USA"},
    {"FedEx", "FDX"},
    {"UPS", "UPS"},
    {"Braniff", "BNF"},
    {"Pan Am", "PAA"},
    {"TWA", "TWA"},
    {"Eastern", "EAL"},
    {"Olympic", "OAL"},
    {"Sabena", "SAB"},
    {"Swissair", "SWR"},
    {"Austrian", "AUA"},
    {"LOT", "LOT"},
    {"Varig", "VRG"},
};

const char* const kPublishers[] = {
    "PMDG",       "POSKY",    "Project Opensky", "FSD",       "Wilco",   "Captain Sim",
    "Dreamfleet", "Flight1",  "Carenado",        "RealAir",   "CLS",     "Just Flight",
    "Abacus",     "AlphaSim", "Eaglesoft",       "Overland",  "Level-D", "Ready for Pushback",
    "HJG",        "TDS",      "Aeroworx",        "Feelthere", "iFly",    "AI Aardvark",
    "FSPainter"};

const char* const kDescriptions[] = {
    "One of the most widely flown aircraft of its class, known for docile handling and forgiving manners.",
    "This package includes a full virtual cockpit, custom sounds and a detailed 2D panel.",
    "Repainted in the colours of the operator as of the summer timetable.",
    "The flight model was tuned against published performance tables and pilot reports.",
    "Designed for short regional sectors with quick turnarounds at busy hubs.",
    "Features animated control surfaces, opening doors, reflective textures and night lighting.",
    "Recommended cruise altitude is between FL310 and FL370 depending on weight.",
    "Please read the included documentation before flying this aircraft for the first time.",
    "Freeware. Not to be sold or uploaded to pay sites without the author's written permission.",
    "The panel uses default gauges where possible to keep frame rates up on older machines.",
    "Tested in FS2004 with the 9.1 update installed.",
    "Normal takeoff flaps are 5 degrees; use 15 degrees for short or contaminated runways.",
    "Engine start: battery on, fuel pump on, mixture rich, throttle cracked, magnetos to start.",
    "The aircraft entered service in the late sixties and flew with many operators worldwide.",
    "Fuel planning: allow for a thirty-minute reserve plus alternate at the planned cruise level.",
    "Model by the original author, textures repainted, flight dynamics by the team.",
    "The autopilot supports heading, altitude, vertical speed, NAV, approach and back course modes.",
    "Visual model with three levels of detail for better performance in AI traffic.",
};

const char* const kSurnames[] = {"Miller",   "Schmidt", "Dubois",   "Rossi",    "Nakamura", "O'Brien", "Jensen",
                                 "Kowalski", "Garcia",  "van Dijk", "Svensson", "Petrov",   "Smith",   "Moreau"};

// ---------------------------------------------------------------------------------------------------------------
// aircraft.cfg text

struct CfgText
{
    std::string& out;
    const char* eq; // "=" in most files, " = " in some

    void line(std::string_view s)
    {
        out += s;
        out += "\r\n";
    }
    void blank() { out += "\r\n"; }
    void header(std::string_view name)
    {
        out += '[';
        out += name;
        out += "]\r\n";
    }
    void key(std::string_view k, std::string_view v)
    {
        out += k;
        out += eq;
        out += v;
        out += "\r\n";
    }
    void keyInt(std::string_view k, long long v) { key(k, std::to_string(v)); }
    void keyFixed(std::string_view k, long long scaled, int decimals) { key(k, fixed(scaled, decimals)); }
    void comment(Rng& rng, std::string_view text)
    {
        out += chance(rng, 70) ? "// " : "; ";
        line(text);
    }
};

struct Livery
{
    std::string title;
    std::string texture;
    std::string atcId;
    std::string airline;
    std::string flightNumber;
    std::string variation;
};

struct Identity
{
    const Model* model;
    const Airline* airline; // main operator, null for general aviation
    std::string registration;
    std::string publisher;
    std::string sim;
};

std::string letters(Rng& rng, int count)
{
    std::string s;
    for (int i = 0; i < count; ++i)
        s += static_cast<char>('A' + below(rng, 26));
    return s;
}

std::string registration(Rng& rng)
{
    switch (below(rng, 9)) {
    case 0:
    case 1:
    case 2: {
        const std::string digits = std::to_string(between(rng, 1, 999));
        return "N" + digits + letters(rng, between(rng, 0, 2));
    }
    case 3:
        return "D-" + letters(rng, 4);
    case 4:
        return "G-" + letters(rng, 4);
    case 5:
        return "F-G" + letters(rng, 3);
    case 6:
        return "C-F" + letters(rng, 3);
    case 7:
        return "PH-" + letters(rng, 3);
    default:
        return "VH-" + letters(rng, 3);
    }
}

Livery makeLivery(Rng& rng, const Identity& id, int index)
{
    const KindTraits& t = kTraits[id.model->kind];
    Livery l;
    const Airline* airline = t.airline ? (index == 0 && id.airline ? id.airline : &pick(rng, kAirlines)) : nullptr;
    l.atcId = index == 0 ? id.registration : registration(rng);
    const std::string base = std::string(id.model->maker) + " " + id.model->type;
    if (airline) {
        l.title = base + " " + airline->name + (index > 0 || chance(rng, 40) ? " " + l.atcId : std::string());
        l.texture = lower(airline->icao);
        l.airline = airline->name;
        l.flightNumber = std::to_string(between(rng, 1, 9999));
        l.variation = airline->name;
    } else {
        l.title = base + (index == 0 ? std::string() : " " + l.atcId);
        static const char* const schemes[] = {"White", "Blue", "Red", "Standard", "Classic", "Military", "Gold"};
        l.variation = pick(rng, schemes);
        l.texture = index == 0 ? std::string() : lower(l.variation) + std::to_string(index);
    }
    return l;
}

void writeFltsim(CfgText& c, Rng& rng, const Identity& id, int index)
{
    const KindTraits& t = kTraits[id.model->kind];
    const Livery l = makeLivery(rng, id, index);
    c.header("fltsim." + std::to_string(index));
    c.key("title", l.title);
    c.key("sim", id.sim);
    static const char* const models[] = {"", "", "", "1", "fs9", "2d", "vc"};
    c.key("model", pick(rng, models));
    c.key("panel", chance(rng, 80) ? "" : "2d");
    c.key("sound", "");
    c.key("texture", l.texture);
    c.key("kb_checklists", chance(rng, 50) ? id.sim + "_check" : "");
    c.key("kb_reference", chance(rng, 50) ? id.sim + "_ref" : "");
    c.key("atc_id", l.atcId);
    if (t.airline) {
        c.key("atc_airline", l.airline);
        c.key("atc_flight_number", l.flightNumber);
        c.keyInt("atc_heavy", id.model->kind == Heavy ? 1 : 0);
    }
    if (chance(rng, 60)) {
        std::string color = "0x";
        static const char hex[] = "0123456789abcdef";
        for (int i = 0; i < 8; ++i)
            color += hex[below(rng, 16)];
        c.key("atc_id_color", color);
    }
    if (chance(rng, 30))
        c.key("atc_id_font", "Verdana,-11,1,600,0");
    c.key("atc_parking_types", t.parking);
    if (t.airline && chance(rng, 70))
        c.key("atc_parking_codes", id.airline ? id.airline->icao : "");
    c.key("ui_manufacturer", id.model->maker);
    c.key("ui_type", id.model->type);
    c.key("ui_variation", l.variation);
    if (chance(rng, 25))
        c.key("ui_typerole", t.role);
    if (chance(rng, 35))
        c.key("ui_createdby", id.publisher);
    std::string description;
    const int length = between(rng, 0, 900);
    if (length > 0 && index == 0 && chance(rng, 25)) {
        // Windows-1252 copyright sign, as add-on authors typed it.
        description += "\xA9 " + id.publisher + " 2004\\n\\n";
    }
    while (static_cast<int>(description.size()) < length) {
        description += pick(rng, kDescriptions);
        description += chance(rng, 25) ? "\\n" : "  ";
    }
    c.key("description", description);
    if (chance(rng, 50))
        c.keyInt("visual_damage", below(rng, 2));
    if (id.model->kind == Helicopter || id.model->kind == Piston)
        if (chance(rng, 30))
            c.key("prop_anim_ratio", fixed(between(rng, -150, -50), 2));
    c.blank();
}

void writeGeneral(CfgText& c, Rng& rng, const Identity& id)
{
    const KindTraits& t = kTraits[id.model->kind];
    c.header(chance(rng, 70) ? "General" : "general");
    c.key("atc_type", id.model->maker);
    c.key("atc_model", id.model->shortName);
    c.keyInt("editable", below(rng, 2));
    std::string performance = "Cruise Speed\\n" + std::to_string(between(rng, t.cruiseLo, t.cruiseHi));
    performance += " kts\\n\\nMaximum Range\\n" + std::to_string(between(rng, 300, 7000));
    performance += " nm\\n\\nService Ceiling\\n" + std::to_string(between(rng, 12, 45) * 1000) + " ft";
    if (chance(rng, 60))
        performance += "\\n\\nModel: " + id.publisher + "\\nFlight dynamics: " + pick(rng, kSurnames);
    c.key("performance", performance);
    if (chance(rng, 30))
        c.key("Category", id.model->kind == Helicopter ? "Rotorcraft" : "Airplane");
    c.blank();
}

struct KeySpec
{
    const char* key;
    int lo;
    int hi;
    int decimals;
    const char* text; // literal value instead of a number
};

void writeTable(CfgText& c, Rng& rng, std::string_view section, const KeySpec* keys, std::size_t count)
{
    c.header(section);
    if (chance(rng, 25))
        c.comment(rng, std::string(section) + " values checked against the manual");
    for (std::size_t i = 0; i < count; ++i) {
        const KeySpec& k = keys[i];
        if (k.text)
            c.key(k.key, k.text);
        else
            c.keyFixed(k.key, between(rng, k.lo, k.hi), k.decimals);
    }
    c.blank();
}

template <std::size_t N> void writeTable(CfgText& c, Rng& rng, std::string_view section, const KeySpec (&keys)[N])
{
    writeTable(c, rng, section, keys, N);
}

void writeWeightAndBalance(CfgText& c, Rng& rng, const Identity& id)
{
    const KindTraits& t = kTraits[id.model->kind];
    c.header(chance(rng, 50) ? "WEIGHT_AND_BALANCE" : "weight_and_balance");
    const int gross = between(rng, t.weightLo, t.weightHi);
    c.keyInt("max_gross_weight", gross);
    c.keyInt("empty_weight", gross * between(rng, 50, 65) / 100);
    c.key("reference_datum_position", "0.0, 0.0, 0.0");
    c.key("empty_weight_CG_position", fixed(between(rng, -80, 20), 1) + ", 0.0, 0.0");
    c.keyFixed("CG_forward_limit", between(rng, 0, 150), 3);
    c.keyFixed("CG_aft_limit", between(rng, 300, 1000), 3);
    c.keyInt("empty_weight_pitch_MOI", gross * between(rng, 2, 9));
    c.keyInt("empty_weight_roll_MOI", gross * between(rng, 1, 6));
    c.keyInt("empty_weight_yaw_MOI", gross * between(rng, 3, 10));
    c.keyInt("empty_weight_coupled_MOI", 0);
    const int stations = between(rng, t.stationsLo, t.stationsHi);
    c.keyInt("max_number_of_stations", stations);
    c.comment(rng, "weight (lbs), longitudinal, lateral, vertical position (feet)");
    for (int i = 0; i < stations; ++i) {
        std::string v = randomList(rng, {{0, 400, 0}, {-600, 600, 1}, {-40, 40, 1}, {-20, 20, 1}});
        if (chance(rng, 30))
            v += i == 0 ? "    // Pilot" : (i == 1 ? "    // Co-pilot" : "    // Passenger row " + std::to_string(i));
        c.key("station_load." + std::to_string(i), v);
    }
    c.blank();
}

void writeEngines(CfgText& c, Rng& rng, const Identity& id)
{
    const KindTraits& t = kTraits[id.model->kind];
    c.header("GeneralEngineData");
    if (chance(rng, 60))
        c.comment(rng, "0=Piston, 1=Jet, 2=None, 3=Helo-Turbine, 4=Rocket, 5=Turboprop");
    c.keyInt("engine_type", t.engineType);
    c.keyFixed("fuel_flow_scalar", between(rng, 600, 1400), 3);
    c.keyFixed("min_throttle_limit", t.engineType == 1 ? 0 : -between(rng, 0, 250), 3);
    for (int i = 0; i < id.model->engines; ++i) {
        c.key("Engine." + std::to_string(i), randomList(rng, {{-300, 200, 1}, {-400, 400, 1}, {-60, 30, 1}}));
    }
    c.blank();
    if (t.engineType == 0) {
        static const KeySpec piston[] = {
            {"power_scalar", 900, 1100, 3, nullptr},           {"cylinder_displacement", 200, 600, 1, nullptr},
            {"compression_ratio", 70, 90, 1, nullptr},         {"number_of_cylinders", 4, 12, 0, nullptr},
            {"max_rated_rpm", 2400, 2800, 0, nullptr},         {"max_rated_hp", 100, 1700, 0, nullptr},
            {"fuel_metering_type", 0, 1, 0, nullptr},          {"cooling_type", 0, 1, 0, nullptr},
            {"normalized_starter_torque", 10, 40, 2, nullptr}, {"turbocharged", 0, 1, 0, nullptr},
            {"emergency_boost_type", 0, 0, 0, nullptr},        {"friction_torque_scalar", 800, 1200, 3, nullptr},
        };
        writeTable(c, rng, "piston_engine", piston);
        static const KeySpec propeller[] = {
            {"thrust_scalar", 900, 1100, 3, nullptr},
            {"propeller_type", 0, 1, 0, nullptr},
            {"propeller_diameter", 55, 120, 1, nullptr},
            {"propeller_blades", 2, 4, 0, nullptr},
            {"propeller_moi", 30, 160, 1, nullptr},
            {"beta_max", 25, 40, 1, nullptr},
            {"beta_min", 10, 20, 1, nullptr},
            {"min_gov_rpm", 1200, 1800, 0, nullptr},
            {"prop_tc", 1, 10, 2, nullptr},
            {"gear_reduction_ratio", 10, 10, 1, nullptr},
            {"fixed_pitch_beta", 20, 28, 1, nullptr},
            {"low_speed_theory_limit", 60, 100, 0, nullptr},
            {"prop_sync_available", 0, 1, 0, nullptr},
            {"prop_deice_available", 0, 1, 0, nullptr},
            {"prop_feathering_available", 0, 1, 0, nullptr},
            {"prop_auto_feathering_available", 0, 1, 0, nullptr},
        };
        writeTable(c, rng, "propeller", propeller);
    } else if (t.engineType == 1 || t.engineType == 3 || t.engineType == 5) {
        static const KeySpec turbine[] = {
            {"fuel_flow_gain", 1, 6, 3, nullptr},
            {"inlet_area", 5, 80, 1, nullptr},
            {"rated_N2_rpm", 8000, 30000, 0, nullptr},
            {"static_thrust", 2000, 63000, 0, nullptr},
            {"reverser_available", 0, 1, 0, nullptr},
            {"reverser_mach_controlled", 0, 1, 0, nullptr},
            {"afterburner_available", 0, 0, 0, nullptr},
            {"mach_0_corrected_commanded_ne", 0, 0, 0, "0.0, 20.0"},
            {"corrected_n2_from_ff_table", 0, 0, 0, "0.0:0.0, 20.0:230.0, 25.0:300.0, 68.2:1100.0, 100.0:2170.0"},
            {"n1_and_mach_on_thrust_table", 0, 0, 0, "0.0:0.0:0.9, 0.0:0.0:0.9, 20.0:0.02:0.01, 100:0.99:1.0"},
            {"oil_temp_heating_constant", 200, 800, 0, nullptr},
            {"oil_temp_cooling_constant", 1, 5, 2, nullptr},
            {"itt_peak_temperature", 1100, 1600, 0, nullptr},
            {"egt_peak_temperature", 1100, 1600, 0, nullptr},
        };
        writeTable(c, rng, "TurbineEngineData", turbine);
        if (t.engineType == 1) {
            static const KeySpec jet[] = {
                {"thrust_scalar", 900, 1100, 3, nullptr},
                {"reverser_available", 0, 1, 0, nullptr},
            };
            writeTable(c, rng, "jet_engine", jet);
        } else {
            static const KeySpec turboprop[] = {
                {"power_scalar", 900, 1100, 3, nullptr},
                {"maximum_torque", 800, 2800, 0, nullptr},
                {"fuel_flow_scalar", 900, 1200, 3, nullptr},
                {"max_rated_shp", 300, 4600, 0, nullptr},
                {"primary_nozzle_afterburner_offset", 0, 0, 0, nullptr},
                {"thrust_reverser_available", 0, 1, 0, nullptr},
            };
            writeTable(c, rng, "turboprop_engine", turboprop);
        }
    }
}

void writeContactPoints(CfgText& c, Rng& rng, const Identity& id)
{
    const KindTraits& t = kTraits[id.model->kind];
    c.header("contact_points");
    if (chance(rng, 70)) {
        c.comment(rng, "0  Class");
        c.comment(rng, "1  Longitudinal Position        (feet)");
        c.comment(rng, "2  Lateral Position             (feet)");
        c.comment(rng, "3  Vertical Position            (feet)");
        c.comment(rng, "4  Impact Damage Threshold      (Feet Per Minute)");
        c.comment(rng, "5  Brake Map                    (0=None, 1=Left, 2=Right)");
        c.comment(rng, "6  Wheel Radius                 (feet)");
        c.comment(rng, "7  Steer Angle                  (degrees)");
    }
    const int points = between(rng, t.pointsLo, t.pointsHi);
    for (int i = 0; i < points; ++i) {
        std::string v = i < 3 ? "1" : "2";
        for (int f = 0; f < 15; ++f) {
            v += ", ";
            appendFixed(v, between(rng, -9000, 9000), 3);
        }
        c.key("point." + std::to_string(i), v);
    }
    c.keyFixed("static_pitch", between(rng, -300, 1200), 2);
    c.keyFixed("static_cg_height", between(rng, 300, 1800), 2);
    c.keyInt("gear_system_type", below(rng, 4));
    c.keyInt("tailwheel_lock", below(rng, 2));
    c.keyInt("max_number_of_points", points);
    c.blank();
}

void writeLights(CfgText& c, Rng& rng)
{
    c.header("lights");
    if (chance(rng, 60))
        c.comment(rng, "Types: 1=beacon, 2=strobe, 3=navigation, 4=cockpit, 5=landing, 6=taxi, 7=recognition");
    static const char* const effects[] = {"fx_navred",  "fx_navgre",  "fx_navwhi",  "fx_strobe", "fx_beaconb",
                                          "fx_beaconh", "fx_vclight", "fx_landing", "fx_taxi"};
    const int lights = between(rng, 3, 14);
    for (int i = 0; i < lights; ++i) {
        std::string v = randomList(rng, {{1, 7, 0}, {-800, 800, 2}, {-1000, 1000, 2}, {-200, 400, 2}});
        v += ", ";
        v += pick(rng, effects);
        c.key("light." + std::to_string(i), v);
    }
    c.blank();
}

void writeElectrical(CfgText& c, Rng& rng)
{
    c.header("electrical");
    if (chance(rng, 50))
        c.comment(rng, "BusType, MaxAmpLoad, MinVoltage       BusTypes: 0=Main, 1=Avionics, 2=Battery, 3=HotBattery");
    c.keyInt("max_battery_voltage", chance(rng, 50) ? 24 : 12);
    c.keyFixed("generator_alternator_voltage", between(rng, 140, 285), 1);
    c.keyInt("max_generator_alternator_amps", between(rng, 40, 400));
    c.keyInt("electric_always_available", 0);
    static const char* const loads[] = {
        "flap_motor",        "gear_motor",    "autopilot",    "avionics_bus", "avionics",   "pitot_heat",
        "additional_system", "marker_beacon", "gear_warning", "fuel_pump",    "starter1",   "light_nav",
        "light_beacon",      "light_landing", "light_taxi",   "light_strobe", "light_panel"};
    for (const char* load : loads)
        c.key(load, randomList(rng, {{0, 1, 0}, {2, 20, 0}, {8, 17, 0}}) + ".0");
    c.blank();
}

// Returns the offset just behind the [autopilot] header line, where the wing-leveler lines go.
std::size_t writeAutopilot(CfgText& c, Rng& rng, const Identity& id)
{
    const KindTraits& t = kTraits[id.model->kind];
    static const char* const headers[] = {"autopilot", "autopilot", "autopilot", "Autopilot", "AUTOPILOT"};
    c.header(pick(rng, headers));
    const std::size_t insertAt = c.out.size();
    if (chance(rng, 15))
        c.comment(rng, "autopilot tuned for the " + std::string(id.model->type));
    c.keyInt("autopilot_available", 1);
    c.keyInt("flight_director_available", t.airline || id.model->kind == Bizjet ? 1 : below(rng, 2));
    c.keyInt("default_vertical_speed", t.verticalSpeed ? t.verticalSpeed : 700);
    const bool jet = t.engineType == 1;
    c.keyInt("autothrottle_available", jet ? 1 : 0);
    if (jet) {
        c.keyInt("autothrottle_arming_required", below(rng, 2));
        c.keyFixed("autothrottle_max_rpm", between(rng, 880, 1000), 1);
        c.keyInt("autothrottle_takeoff_ga", 1);
    }
    c.keyInt("pitch_takeoff_ga", between(rng, 7, 15));
    c.keyInt("max_pitch", between(rng, 7, 12));
    c.keyFixed("max_pitch_acceleration", between(rng, 5, 20), 1);
    c.keyFixed("max_pitch_velocity_lo_alt", between(rng, 10, 30), 1);
    c.keyFixed("max_pitch_velocity_hi_alt", between(rng, 5, 20), 1);
    c.keyInt("max_pitch_velocity_lo_alt_breakpoint", 20000);
    c.keyInt("max_pitch_velocity_hi_alt_breakpoint", 28000);
    c.keyInt("max_bank", t.maxBank);
    c.keyFixed("max_bank_acceleration", between(rng, 10, 30), 1);
    c.keyFixed("max_bank_velocity", between(rng, 20, 50), 1);
    c.keyFixed("max_throttle_rate", between(rng, 5, 20), 2);
    c.keyFixed("nav_proportional_control", between(rng, 60, 120), 1);
    c.keyFixed("nav_integrator_control", between(rng, 10, 40), 2);
    c.keyFixed("nav_derivative_control", 0, 2);
    c.keyFixed("nav_integrator_boundary", between(rng, 10, 50), 1);
    c.keyFixed("nav_derivative_boundary", 0, 1);
    c.keyFixed("gs_proportional_control", between(rng, 800, 1200), 2);
    c.keyFixed("gs_integrator_control", between(rng, 10, 40), 2);
    c.keyFixed("gs_derivative_control", 0, 2);
    c.keyFixed("gs_integrator_boundary", between(rng, 5, 10), 1);
    c.keyFixed("gs_derivative_boundary", 0, 1);
    c.keyFixed("yaw_damper_gain", between(rng, 5, 20), 1);
    c.blank();
    return insertAt;
}

void writeFlightTuning(CfgText& c, Rng& rng)
{
    static const char* const keys[] = {"cruise_lift_scalar",
                                       "parasite_drag_scalar",
                                       "induced_drag_scalar",
                                       "elevator_effectiveness",
                                       "aileron_effectiveness",
                                       "rudder_effectiveness",
                                       "pitch_stability",
                                       "roll_stability",
                                       "yaw_stability",
                                       "elevator_trim_effectiveness",
                                       "aileron_trim_effectiveness",
                                       "rudder_trim_effectiveness"};
    c.header("flight_tuning");
    for (const char* key : keys)
        c.keyFixed(key, chance(rng, 60) ? 100 : between(rng, 50, 200), 2);
    c.blank();
}

void writeViews(CfgText& c, Rng& rng)
{
    c.header("Views");
    c.key("eyepoint", randomList(rng, {{0, 9000, 2}, {-300, 0, 2}, {100, 900, 2}}));
    if (chance(rng, 40))
        c.comment(rng, "(feet) longitudinal, lateral, vertical distance from reference datum");
    c.blank();
}

void writeRadios(CfgText& c, Rng& rng)
{
    c.header("Radios");
    if (chance(rng, 50))
        c.comment(rng, "Radio Type=availiable, standby frequency, has glide slope");
    c.key("Audio.1", "1");
    c.key("Com.1", "1, 1");
    c.key("Com.2", "1, 1");
    c.key("Nav.1", "1, 1, 1");
    c.key("Nav.2", chance(rng, 70) ? "1, 1, 0" : "1, 0, 0");
    c.key("Adf.1", "1");
    c.key("Transponder.1", "1");
    c.key("Marker.1", "1");
    c.blank();
}

void writeKeyboardResponse(CfgText& c, Rng& rng)
{
    c.header("keyboard_response");
    if (chance(rng, 40))
        c.comment(rng, "Breakpoint speeds (knots) on the keyboard increments of control surfaces.");
    c.key("elevator", randomList(rng, {{100, 200, 0}, {200, 300, 0}}));
    c.key("aileron", randomList(rng, {{100, 200, 0}, {200, 300, 0}}));
    c.key("rudder", randomList(rng, {{100, 200, 0}, {200, 300, 0}}));
    c.blank();
}

void writeBody(CfgText& c, Rng& rng, const Identity& id, int autopilotSlot, std::size_t& autopilotAt)
{
    static const KeySpec brakes[] = {
        {"parking_brake", 1, 1, 0, nullptr},
        {"toe_brakes_scale", 50, 100, 2, nullptr},
        {"differential_braking_scale", 0, 100, 2, nullptr},
    };
    static const KeySpec gearWarning[] = {
        {"gear_warning_available", 0, 1, 0, nullptr},
        {"pct_throttle_limit", 5, 20, 2, nullptr},
        {"flap_limit_power", 15, 30, 1, nullptr},
        {"flap_limit_idle", 10, 20, 1, nullptr},
    };
    static const KeySpec geometry[] = {
        {"wing_area", 1600, 55000, 1, nullptr},
        {"wing_span", 300, 2200, 1, nullptr},
        {"wing_root_chord", 40, 300, 1, nullptr},
        {"wing_dihedral", 0, 70, 1, nullptr},
        {"wing_incidence", 0, 40, 1, nullptr},
        {"wing_twist", -30, 0, 1, nullptr},
        {"oswald_efficiency_factor", 60, 90, 2, nullptr},
        {"wing_winglets_flag", 0, 1, 0, nullptr},
        {"wing_sweep", 0, 370, 1, nullptr},
        {"wing_pos_apex_lon", -300, 300, 1, nullptr},
        {"wing_pos_apex_vert", -50, 50, 1, nullptr},
        {"htail_area", 200, 12000, 1, nullptr},
        {"htail_span", 100, 900, 1, nullptr},
        {"htail_pos_lon", -1500, -100, 1, nullptr},
        {"htail_pos_vert", 0, 300, 1, nullptr},
        {"htail_incidence", -20, 20, 1, nullptr},
        {"htail_sweep", 0, 400, 1, nullptr},
        {"vtail_area", 100, 8000, 1, nullptr},
        {"vtail_span", 50, 500, 1, nullptr},
        {"vtail_sweep", 0, 450, 1, nullptr},
        {"vtail_pos_lon", -1500, -100, 1, nullptr},
        {"vtail_pos_vert", 0, 300, 1, nullptr},
        {"elevator_area", 50, 3000, 1, nullptr},
        {"aileron_area", 50, 2000, 1, nullptr},
        {"rudder_area", 50, 2000, 1, nullptr},
        {"elevator_up_limit", 150, 300, 1, nullptr},
        {"elevator_down_limit", 100, 200, 1, nullptr},
        {"aileron_up_limit", 150, 250, 1, nullptr},
        {"aileron_down_limit", 100, 200, 1, nullptr},
        {"rudder_limit", 200, 300, 1, nullptr},
        {"elevator_trim_limit", 100, 200, 1, nullptr},
        {"spoiler_limit", 0, 600, 1, nullptr},
        {"spoilerons_available", 0, 1, 0, nullptr},
        {"aileron_to_spoileron_gain", 0, 20, 1, nullptr},
        {"min_ailerons_for_spoilerons", 0, 100, 1, nullptr},
        {"min_flaps_for_spoilerons", 0, 10, 1, nullptr},
    };
    static const KeySpec speeds[] = {
        {"flaps_up_stall_speed", 45, 160, 1, nullptr},
        {"full_flaps_stall_speed", 40, 130, 1, nullptr},
        {"cruise_speed", 100, 500, 1, nullptr},
        {"max_indicated_speed", 130, 380, 1, nullptr},
        {"max_mach", 50, 92, 2, nullptr},
    };
    static const KeySpec fuel[] = {
        {"Center1", 0, 0, 0, "-2.0, 0.0, 0.0, 120.0, 0.0"},
        {"LeftMain", 0, 0, 0, "-2.0, -8.0, 1.0, 26.0, 0.5"},
        {"RightMain", 0, 0, 0, "-2.0, 8.0, 1.0, 26.0, 0.5"},
        {"fuel_type", 1, 2, 0, nullptr},
        {"number_of_tank_selectors", 1, 3, 0, nullptr},
        {"electric_pump", 0, 1, 0, nullptr},
        {"engine_driven_pump", 0, 1, 0, nullptr},
        {"manual_transfer_pump", 0, 1, 0, nullptr},
    };
    static const KeySpec flaps[] = {
        {"type", 1, 2, 0, nullptr},
        {"span-outboard", 30, 80, 2, nullptr},
        {"extending-time", 5, 40, 0, nullptr},
        {"system_type", 0, 1, 0, nullptr},
        {"damaging-speed", 120, 260, 0, nullptr},
        {"blowout-speed", 140, 300, 0, nullptr},
        {"lift_scalar", 80, 120, 2, nullptr},
        {"drag_scalar", 80, 150, 2, nullptr},
        {"pitch_scalar", 50, 150, 2, nullptr},
        {"flaps-position.0", 0, 0, 0, nullptr},
        {"flaps-position.1", 5, 10, 0, nullptr},
        {"flaps-position.2", 15, 20, 0, nullptr},
        {"flaps-position.3", 25, 40, 0, nullptr},
    };
    static const KeySpec exits[] = {{"number_of_exits", 1, 4, 0, nullptr},
                                    {"exit_rate.0", 20, 60, 2, nullptr},
                                    {"exit_rate.1", 20, 60, 2, nullptr}};
    static const KeySpec pitot[] = {{"vertical_speed_time_constant", 5, 30, 1, nullptr},
                                    {"pitot_tube.0", 0, 0, 0, "0.0, 0.0, 1.0"},
                                    {"static_port.0", 0, 0, 0, "0.0, 0.0, 0.0"}};
    static const KeySpec stall[] = {{"type", 1, 2, 0, nullptr}, {"stick_shaker", 0, 1, 0, nullptr}};
    static const KeySpec hydraulic[] = {{"normal_pressure", 1000, 3000, 0, nullptr},
                                        {"electric_pumps", 0, 2, 0, nullptr},
                                        {"engine_map", 0, 0, 0, "1,1,0,0"}};
    static const KeySpec attitude[] = {{"attitude_indicator.0", 1, 1, 0, nullptr}};
    static const KeySpec turn[] = {{"turn_indicator.0", 0, 0, 0, "1,0"}};
    static const KeySpec airspeed[] = {{"airspeed_indicator.0", 0, 0, 0, "1.0, 0.0"}};
    static const KeySpec direction[] = {{"direction_indicator.0", 0, 0, 0, "1,0"}};
    static const KeySpec effects[] = {
        {"wake", 0, 0, 0, "fx_wake"},
        {"water", 0, 0, 0, "fx_spray"},
        {"dirt", 0, 0, 0, "fx_tchdrt"},
        {"concrete", 0, 0, 0, "fx_sparks"},
        {"touchdown", 0, 0, 0, "fx_tchdwn_s, 1"},
        {"contrail", 0, 0, 0, "fx_contrail_l"},
    };
    static const KeySpec deice[] = {{"structural_deice_type", 0, 2, 0, nullptr}};
    static const KeySpec forceFeedback[] = {
        {"gear_bump_nose_magnitude", 2000, 4000, 0, nullptr},
        {"gear_bump_nose_direction", 18000, 18000, 0, nullptr},
        {"gear_bump_nose_duration", 250000, 250000, 0, nullptr},
        {"stick_shaker_magnitude", 2000, 5000, 0, nullptr},
        {"stick_shaker_direction", 0, 0, 0, nullptr},
        {"stick_shaker_period", 111111, 111111, 0, nullptr},
    };

    // Conventional order of the sections below [General]; some are missing in many real files.
    enum Section {
        WeightAndBalance,
        Engines,
        FlightTuning,
        ReferenceSpeeds,
        ContactPoints,
        Brakes,
        GearWarning,
        Electrical,
        Geometry,
        Lights,
        Fuel,
        Flaps,
        Exits,
        Pitot,
        Stall,
        Hydraulic,
        Attitude,
        Turn,
        Airspeed,
        Direction,
        Effects,
        Deice,
        ForceFeedback,
        Views,
        Radios,
        KeyboardResponse
    };
    constexpr int kSectionCount = KeyboardResponse + 1;
    std::vector<Section> order;
    for (int i = 0; i < kSectionCount; ++i) {
        const Section s = static_cast<Section>(i);
        const bool always = s == WeightAndBalance || s == Engines || s == ContactPoints || s == Brakes ||
                            s == Electrical || s == Views || s == Radios || s == KeyboardResponse;
        if (always || chance(rng, 55))
            order.push_back(s);
    }
    // autopilotSlot < 0: somewhere in the middle; otherwise that many sections before the end.
    const int n = static_cast<int>(order.size());
    const int slot = autopilotSlot < 0 ? between(rng, n * 3 / 10, n * 7 / 10) : std::max(0, n - autopilotSlot);

    for (int i = 0; i <= n; ++i) {
        if (i == slot)
            autopilotAt = writeAutopilot(c, rng, id);
        if (i == n)
            break;
        switch (order[static_cast<std::size_t>(i)]) {
        case WeightAndBalance:
            writeWeightAndBalance(c, rng, id);
            break;
        case Engines:
            writeEngines(c, rng, id);
            break;
        case FlightTuning:
            writeFlightTuning(c, rng);
            break;
        case ReferenceSpeeds:
            writeTable(c, rng, "Reference Speeds", speeds);
            break;
        case ContactPoints:
            writeContactPoints(c, rng, id);
            break;
        case Brakes:
            writeTable(c, rng, "brakes", brakes);
            break;
        case GearWarning:
            writeTable(c, rng, "gear_warning_system", gearWarning);
            break;
        case Electrical:
            writeElectrical(c, rng);
            break;
        case Geometry:
            writeTable(c, rng, "airplane_geometry", geometry);
            break;
        case Lights:
            writeLights(c, rng);
            break;
        case Fuel:
            writeTable(c, rng, "fuel", fuel);
            break;
        case Flaps:
            writeTable(c, rng, "flaps.0", flaps);
            break;
        case Exits:
            writeTable(c, rng, "exits", exits);
            break;
        case Pitot:
            writeTable(c, rng, "pitot_static", pitot);
            break;
        case Stall:
            writeTable(c, rng, "stall_warning", stall);
            break;
        case Hydraulic:
            writeTable(c, rng, "hydraulic_system", hydraulic);
            break;
        case Attitude:
            writeTable(c, rng, "attitude_indicators", attitude);
            break;
        case Turn:
            writeTable(c, rng, "turn_indicators", turn);
            break;
        case Airspeed:
            writeTable(c, rng, "airspeed_indicators", airspeed);
            break;
        case Direction:
            writeTable(c, rng, "direction_indicators", direction);
            break;
        case Effects:
            writeTable(c, rng, "effects", effects);
            break;
        case Deice:
            writeTable(c, rng, "deice_system", deice);
            break;
        case ForceFeedback:
            writeTable(c, rng, "forcefeedback", forceFeedback);
            break;
        case Views:
            writeViews(c, rng);
            break;
        case Radios:
            writeRadios(c, rng);
            break;
        case KeyboardResponse:
            writeKeyboardResponse(c, rng);
            break;
        }
    }
}

void writeTopComment(CfgText& c, Rng& rng, const Identity& id)
{
    if (chance(rng, 50))
        return;
    c.comment(rng, std::string(id.model->maker) + " " + id.model->type + " for FS2004");
    if (chance(rng, 60))
        c.comment(rng, "Flight dynamics and panel by " + id.publisher + ", repaints by " + pick(rng, kSurnames));
    if (chance(rng, 40))
        c.comment(rng, "Last edited " + randomList(rng, {{2002, 2008, 0}, {10, 12, 0}, {10, 28, 0}}, "-"));
    c.blank();
}

struct CfgParts
{
    std::string text;
    std::size_t autopilotAt = std::string::npos; // where wing-leveler lines would be inserted
};

// An ordinary aircraft.cfg of about target bytes: the [fltsim.N] entries make up the difference.
CfgParts makeCfg(Rng& rng, const Identity& id, std::uint64_t target)
{
    const char* eq = chance(rng, 80) ? "=" : " = ";
    std::string top, general, body, fltsim;
    CfgText topText{top, eq}, generalText{general, eq}, bodyText{body, eq}, fltsimText{fltsim, eq};
    writeTopComment(topText, rng, id);
    writeGeneral(generalText, rng, id);
    std::size_t autopilotInBody = 0;
    writeBody(bodyText, rng, id, -1, autopilotInBody);
    const std::size_t fixedPart = top.size() + general.size() + body.size();
    int entries = 0;
    do {
        writeFltsim(fltsimText, rng, id, entries++);
    } while (fixedPart + fltsim.size() < target);

    CfgParts parts;
    parts.text.reserve(fixedPart + fltsim.size() + 64);
    parts.text += top;
    if (chance(rng, 90)) {
        parts.text += fltsim;
        parts.text += general;
    } else {
        parts.text += general;
        parts.text += fltsim;
    }
    parts.autopilotAt = parts.text.size() + autopilotInBody;
    parts.text += body;
    return parts;
}

// A small aircraft.cfg of about target bytes (within the small bounds): the sections of an ordinary file `full`
// (each from its "[" header line to the next), some of them dropped, in their order, with the [autopilot] section
// moved to a random place among them. The comment lines above the first section stay on top.
CfgParts makeSmallCfg(Rng& rng, const CfgParts& full, std::uint64_t target)
{
    const std::string& text = full.text;
    std::vector<std::size_t> starts; // where each section's header line begins
    if (!text.empty() && text[0] == '[')
        starts.push_back(0);
    for (std::size_t at = text.find("\n["); at != std::string::npos; at = text.find("\n[", at + 1))
        starts.push_back(at + 1);
    if (starts.empty())
        throw std::logic_error("generated aircraft.cfg without sections");
    starts.push_back(text.size());
    const std::string top = text.substr(0, starts[0]);
    std::vector<std::string> sections;
    std::size_t autopilot = std::string::npos, autopilotOffset = 0;
    for (std::size_t i = 0; i + 1 < starts.size(); ++i) {
        if (full.autopilotAt > starts[i] && full.autopilotAt <= starts[i + 1]) {
            autopilot = sections.size();
            autopilotOffset = full.autopilotAt - starts[i];
        }
        sections.push_back(text.substr(starts[i], starts[i + 1] - starts[i]));
    }
    if (autopilot == std::string::npos)
        throw std::logic_error("generated aircraft.cfg without [autopilot]");

    // Which sections stay: visited in a shuffled order, each kept while the file stays within the target.
    std::vector<std::size_t> visit;
    for (std::size_t i = 0; i < sections.size(); ++i)
        if (i != autopilot)
            visit.push_back(i);
    for (std::size_t i = visit.size(); i > 1; --i)
        std::swap(visit[i - 1], visit[below(rng, static_cast<std::uint32_t>(i))]);
    std::vector<char> keep(sections.size(), 0);
    std::uint64_t size = top.size() + sections[autopilot].size();
    for (const std::size_t i : visit) {
        if (size + sections[i].size() <= target) {
            keep[i] = 1;
            size += sections[i].size();
        }
    }
    // Only large sections left to choose from: the smallest of them make up the least size.
    std::sort(visit.begin(), visit.end(),
              [&sections](std::size_t a, std::size_t b) { return sections[a].size() < sections[b].size(); });
    for (std::size_t k = 0; k < visit.size() && size < kMinSmallBytes; ++k) {
        if (!keep[visit[k]]) {
            keep[visit[k]] = 1;
            size += sections[visit[k]].size();
        }
    }
    std::vector<std::size_t> kept;
    for (std::size_t i = 0; i < sections.size(); ++i)
        if (keep[i])
            kept.push_back(i);
    const std::size_t place = below(rng, static_cast<std::uint32_t>(kept.size() + 1));
    kept.insert(kept.begin() + static_cast<std::ptrdiff_t>(place), autopilot);

    CfgParts parts;
    parts.text = top;
    for (const std::size_t i : kept) {
        if (i == autopilot)
            parts.autopilotAt = parts.text.size() + autopilotOffset;
        parts.text += sections[i];
    }
    return parts;
}

// The CSL folder holds the multiplayer model set: many short entries and no [autopilot] section.
std::string makeCslCfg(Rng& rng)
{
    std::string out;
    CfgText c{out, "="};
    c.comment(rng, "CSL model library for multiplayer traffic. Do not edit by hand.");
    c.blank();
    int index = 0;
    while (out.size() < 24 * kKiB) {
        const Model& m = pick(rng, kModels);
        const Airline& a = pick(rng, kAirlines);
        c.header("fltsim." + std::to_string(index));
        c.key("title", std::string("CSL ") + m.shortName + " " + a.icao + " " + std::to_string(index));
        c.key("sim", lower(m.shortName));
        c.key("model", "");
        c.key("texture", lower(a.icao));
        c.key("atc_airline", a.name);
        c.key("ui_manufacturer", m.maker);
        c.key("ui_type", m.type);
        c.key("ui_variation", a.name);
        c.blank();
        ++index;
    }
    c.header("General");
    c.key("atc_type", "CSL");
    c.key("atc_model", "CSL");
    c.key("editable", "0");
    c.blank();
    return out;
}

// ---------------------------------------------------------------------------------------------------------------
// Files

void writeFile(const fs::path& path, std::string_view data)
{
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    if (!f)
        throw std::runtime_error("cannot create " + path.string());
    f.write(data.data(), static_cast<std::streamsize>(data.size()));
    f.close();
    if (!f)
        throw std::runtime_error("cannot write " + path.string());
}

void makeFolder(const fs::path& path)
{
    std::error_code ec;
    fs::create_directories(path, ec);
    if (ec)
        throw std::runtime_error("cannot create folder " + path.string() + ": " + ec.message());
}

std::string randomBytes(Rng& rng, std::string_view magic, std::size_t size)
{
    std::string s(magic);
    s.reserve(size + 4);
    while (s.size() < size) {
        const std::uint32_t x = rng();
        for (int i = 0; i < 4; ++i)
            s += static_cast<char>((x >> (8 * i)) & 0xFF);
    }
    s.resize(size);
    return s;
}

void appendLe32(std::string& s, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        s += static_cast<char>((v >> (8 * i)) & 0xFF);
}

// A valid 16x16 24-bit bitmap: small, yet opens in any viewer.
std::string makeBitmap(Rng& rng)
{
    const std::uint32_t width = 16, height = 16, pixels = width * height * 3;
    std::string s = "BM";
    appendLe32(s, 54 + pixels);
    appendLe32(s, 0);
    appendLe32(s, 54);
    appendLe32(s, 40);
    appendLe32(s, width);
    appendLe32(s, height);
    s += std::string("\x01\x00\x18\x00", 4);
    appendLe32(s, 0);
    appendLe32(s, pixels);
    appendLe32(s, 2835);
    appendLe32(s, 2835);
    appendLe32(s, 0);
    appendLe32(s, 0);
    return s + randomBytes(rng, "", pixels);
}

std::string makePanelCfg(Rng& rng, const Identity& id, const std::string& aliasFolder)
{
    std::string out;
    CfgText c{out, "="};
    if (!aliasFolder.empty() && chance(rng, 30)) {
        c.header("fltsim");
        c.key("alias", aliasFolder + "\\panel");
        return out;
    }
    c.header("Window Titles");
    c.key("Window00", "Main Panel");
    c.key("Window01", "Radio Stack");
    c.key("Window02", "GPS");
    c.blank();
    c.header("Window00");
    c.key("file", id.sim + "_panel.bmp");
    c.key("size_mm", "1024");
    c.key("position", "7");
    c.key("visible", "1");
    c.key("ident", "MAIN_PANEL");
    static const char* const gauges[] = {
        "Cessna!Airspeed",         "Cessna!Attitude",         "Cessna!Altimeter",         "Cessna!Clock",
        "Cessna!Turn Coordinator", "Cessna!Vertical Speed",   "Bendix_King_Radio!KAP140", "Bendix_King_Radio!KX155",
        "fs9gps!gps_500",          "Cessna182s!Fuel-Quantity"};
    const int count = between(rng, 8, 30);
    for (int i = 0; i < count; ++i) {
        std::string key = "gauge";
        if (i < 10)
            key += '0';
        key += std::to_string(i);
        const std::string gauge = pick(rng, gauges);
        c.key(key, gauge + ", " + randomList(rng, {{0, 1000, 0}, {0, 700, 0}, {40, 120, 0}}));
    }
    c.blank();
    c.header("Views");
    c.key("view_forward_dir", fixed(between(rng, 0, 150), 1) + ", 0.000, 0.000");
    return out;
}

// Ordinary folder names as users end up with them: manufacturer, type, airline, registration and publisher in
// every mixture of blanks, underscores and hyphens.
std::string folderName(Rng& rng, const Identity& id)
{
    const std::string shortName = id.model->shortName;
    const std::string airline = id.airline ? id.airline->name : std::string(id.model->maker);
    std::string name;
    switch (below(rng, 9)) {
    case 0:
        name = std::string(id.model->maker) + "_" + shortName + "_" + id.registration;
        break;
    case 1:
        name = shortName + " " + airline;
        break;
    case 2:
        name = airline + " " + shortName + " " + id.registration;
        break;
    case 3:
        name = lower(shortName) + "_" + lower(id.airline ? id.airline->icao : id.registration);
        break;
    case 4:
        name = std::string(id.model->maker) + " " + id.model->type;
        break;
    case 5:
        name = id.publisher + "_" + shortName;
        break;
    case 6:
        name = shortName + "_" + (id.airline ? id.airline->icao : "GA") + "_" + std::to_string(between(rng, 1, 40));
        break;
    case 7:
        name = std::string(id.airline ? id.airline->icao : "") + shortName;
        break;
    default:
        name = id.publisher + " " + id.model->maker + " " + id.model->type + " " + id.registration;
        break;
    }
    for (char& ch : name)
        if (ch == ' ' && chance(rng, 10))
            ch = '_';
    return name;
}

std::string uniqueName(std::string name, std::unordered_set<std::string>& taken)
{
    // Lower case, so that the tree also stays valid on case-insensitive file systems.
    if (taken.insert(lower(name)).second)
        return name;
    for (int n = 2;; ++n) {
        std::string candidate = name + "_" + std::to_string(n);
        if (taken.insert(lower(candidate)).second)
            return candidate;
    }
}

Identity makeIdentity(Rng& rng)
{
    Identity id;
    id.model = &pick(rng, kModels);
    id.airline = kTraits[id.model->kind].airline ? &pick(rng, kAirlines) : nullptr;
    id.registration = registration(rng);
    id.publisher = pick(rng, kPublishers);
    id.sim = lower(id.model->shortName);
    for (char& ch : id.sim)
        if (ch == '-')
            ch = '_';
    return id;
}

std::string withWingLeveler(const CfgParts& cfg, Simulator simulator, int which)
{
    const bool fs9 = simulator == Simulator::Fs9;
    std::string lines;
    if (which & 1)
        lines += fs9 ? "default_bank_mode=0\r\n" : "use_no_default_bank=1\r\n";
    if (which & 2)
        lines += fs9 ? "default_pitch_mode=0\r\n" : "use_no_default_pitch=1\r\n";
    std::string text = cfg.text;
    text.insert(cfg.autopilotAt, lines);
    return text;
}

void writeExtras(Rng& rng, const fs::path& folder, const Identity& id, const std::string& aliasFolder)
{
    makeFolder(folder / "panel");
    writeFile(folder / "panel" / "panel.cfg", makePanelCfg(rng, id, aliasFolder));
    makeFolder(folder / "model");
    std::string mdl = "RIFF";
    appendLe32(mdl, 0);
    mdl += "MDL9";
    writeFile(folder / "model" / (id.sim + ".mdl"),
              randomBytes(rng, mdl, static_cast<std::size_t>(between(rng, 1024, 4096))));
    makeFolder(folder / "texture");
    writeFile(folder / "texture" / (id.sim + "_t.bmp"), makeBitmap(rng));
    if (chance(rng, 50))
        writeFile(folder / "texture" / (id.sim + "_l.bmp"), makeBitmap(rng));
    if (chance(rng, 30)) {
        const std::string livery = id.airline ? lower(id.airline->icao) : "white";
        makeFolder(folder / ("texture." + livery));
        writeFile(folder / ("texture." + livery) / (id.sim + "_t.bmp"), makeBitmap(rng));
    }
    if (chance(rng, 40)) {
        makeFolder(folder / "sound");
        writeFile(folder / "sound" / "sound.cfg", "[fltsim]\r\nalias=" + std::string(id.model->maker) + "\\sound\r\n");
    }
    writeFile(folder / (id.sim + ".air"), randomBytes(rng, "", static_cast<std::size_t>(between(rng, 2048, 6144))));
}

// The big aircraft is streamed to disk so that the generator itself stays small in memory.
std::uint64_t writeBigAircraft(Rng& rng, const fs::path& folder, int megabytes)
{
    Identity id = makeIdentity(rng);
    id.model = &kModels[21]; // Boeing 747-400: airliners are where files grow long
    id.airline = &kAirlines[3];
    const fs::path path = folder / "aircraft.cfg";
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    if (!f)
        throw std::runtime_error("cannot create " + path.string());

    std::string general, body;
    CfgText generalText{general, "="}, bodyText{body, "="};
    writeGeneral(generalText, rng, id);
    std::size_t autopilotAt = 0;
    writeBody(bodyText, rng, id, 2, autopilotAt); // [autopilot] two sections before the end

    const std::uint64_t target = static_cast<std::uint64_t>(megabytes) * kMiB;
    const std::uint64_t fltsimTarget =
        target > general.size() + body.size() ? target - general.size() - body.size() : 0;
    std::uint64_t written = 0;
    std::string chunk;
    CfgText chunkText{chunk, "="};
    int index = 0;
    while (written + chunk.size() < fltsimTarget || index == 0) {
        writeFltsim(chunkText, rng, id, index++);
        if (chunk.size() >= kMiB) {
            f.write(chunk.data(), static_cast<std::streamsize>(chunk.size()));
            written += chunk.size();
            chunk.clear();
        }
    }
    chunk += general;
    chunk += body;
    f.write(chunk.data(), static_cast<std::streamsize>(chunk.size()));
    written += chunk.size();
    f.close();
    if (!f)
        throw std::runtime_error("cannot write " + path.string());
    return written;
}

void checkOptions(const GeneratorOptions& o)
{
    if (o.root.empty())
        throw std::invalid_argument("no root folder given");
    if (o.aircraft < 0 || o.aircraft > 1000000)
        throw std::invalid_argument("aircraft count must be between 0 and 1000000");
    if (!(o.modifiedShare >= 0.0 && o.modifiedShare <= 1.0))
        throw std::invalid_argument("modified share must be between 0 and 1");
    if (o.bigMegabytes < 0 || o.bigMegabytes > 65536)
        throw std::invalid_argument("big aircraft size must be between 0 and 65536 MB");
}

bool folderHoldsSomething(const fs::path& path)
{
    std::error_code ec;
    if (!fs::exists(path, ec))
        return false;
    if (!fs::is_directory(path, ec))
        return true;
    return fs::directory_iterator(path, ec) != fs::directory_iterator();
}

} // namespace

GeneratorSummary generateInstallation(const GeneratorOptions& options)
{
    checkOptions(options);
    const fs::path root(options.root);
    const fs::path aircraftFolder = root / "Aircraft";
    GeneratorSummary summary;
    summary.aircraftFolder = aircraftFolder.string();
    summary.simulatorExecutable = options.simulator == Simulator::Fs9 ? "fs9.exe" : "fs2000.exe";
    const fs::path exe = root / summary.simulatorExecutable;

    // Refuse rather than mix with (or overwrite) whatever is there already.
    if (folderHoldsSomething(aircraftFolder))
        throw std::runtime_error(aircraftFolder.string() + " already exists and is not empty");
    std::error_code ec;
    if (fs::exists(exe, ec))
        throw std::runtime_error(exe.string() + " already exists");

    makeFolder(aircraftFolder);
    writeFile(exe, std::string("MZ\x90\0\x03\0\0\0", 8) + "Placeholder simulator executable for benchmarks.\r\n");

    Rng master(options.seed);
    const int n = options.aircraft;

    // Which aircraft lack aircraft.cfg (about 3%) and which are already modified: a shuffled index list cut in two.
    std::vector<int> order(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i)
        order[static_cast<std::size_t>(i)] = i;
    for (int i = n - 1; i > 0; --i)
        std::swap(order[static_cast<std::size_t>(i)], order[below(master, static_cast<std::uint32_t>(i + 1))]);
    const int withoutCount = (n * 3 + 50) / 100;
    const int modifiedCount = std::min(n - withoutCount, static_cast<int>(options.modifiedShare * n + 0.5));
    std::vector<char> role(static_cast<std::size_t>(n), 0); // 0 ordinary, 1 without cfg, 2 modified
    for (int k = 0; k < withoutCount; ++k)
        role[static_cast<std::size_t>(order[static_cast<std::size_t>(k)])] = 1;
    for (int k = withoutCount; k < withoutCount + modifiedCount; ++k)
        role[static_cast<std::size_t>(order[static_cast<std::size_t>(k)])] = 2;

    std::unordered_set<std::string> taken{"csl", "big_test_aircraft"};
    std::string previousFolder;
    for (int i = 0; i < n; ++i) {
        Rng rng(master());
        const Identity id = makeIdentity(rng);
        const std::string name = uniqueName(folderName(rng, id), taken);
        const fs::path folder = aircraftFolder / name;
        makeFolder(folder);
        summary.aircraft.push_back(name);

        const char r = role[static_cast<std::size_t>(i)];
        if (r == 1) {
            summary.withoutCfg.push_back(name);
        } else {
            CfgParts cfg;
            if (options.smallFiles) {
                // Below the largest size by more than the wing-leveler lines.
                const std::uint64_t target = static_cast<std::uint64_t>(
                    between(rng, static_cast<int>(kMinSmallBytes + 256), static_cast<int>(kMaxSmallBytes - 64)));
                cfg = makeSmallCfg(rng, makeCfg(rng, id, target), target);
            } else {
                const std::uint64_t target = static_cast<std::uint64_t>(
                    between(rng, static_cast<int>(kMinCfgBytes + 64), static_cast<int>(kMaxTargetBytes)));
                cfg = makeCfg(rng, id, target);
            }
            std::string text = cfg.text;
            if (r == 2) {
                // Mostly both lines; some users switched off only the bank or only the pitch mode.
                const int variant = between(rng, 0, 9);
                text = withWingLeveler(cfg, options.simulator, variant == 0 ? 1 : (variant == 1 ? 2 : 3));
                // Most were switched off by this program and kept its backup; the rest were edited by hand.
                if (chance(rng, 85))
                    writeFile(folder / "aircraftcfg.bak", cfg.text);
                summary.modified.push_back(name);
            }
            const std::uint64_t least = options.smallFiles ? kMinSmallBytes : kMinCfgBytes;
            const std::uint64_t most = options.smallFiles ? kMaxSmallBytes : kMaxCfgBytes;
            if (text.size() < least || text.size() > most)
                throw std::logic_error("generated aircraft.cfg of " + std::to_string(text.size()) + " bytes for " +
                                       name);
            writeFile(folder / "aircraft.cfg", text);
            summary.cfgBytes += text.size();
        }
        writeExtras(rng, folder, id, previousFolder);
        previousFolder = name;
    }

    {
        Rng rng(master());
        summary.cslFolder = "CSL";
        makeFolder(aircraftFolder / summary.cslFolder);
        const std::string csl = makeCslCfg(rng);
        writeFile(aircraftFolder / summary.cslFolder / "aircraft.cfg", csl);
        summary.cfgBytes += csl.size();
        summary.aircraft.push_back(summary.cslFolder);
    }

    if (options.bigMegabytes > 0) {
        Rng rng(master());
        summary.bigFolder = "Big_Test_Aircraft";
        const fs::path folder = aircraftFolder / summary.bigFolder;
        makeFolder(folder);
        summary.cfgBytes += writeBigAircraft(rng, folder, options.bigMegabytes);
        summary.aircraft.push_back(summary.bigFolder);
    }
    return summary;
}

} // namespace vantrel::bench
