#pragma once

namespace vantrel::form {

// What the selection list is for: Remove lists the aircraft whose wing leveler is enabled, Restore those whose
// leveler is disabled, and Modify switches the chosen ones to the other state.
enum class Mode { Remove, Restore };

} // namespace vantrel::form
