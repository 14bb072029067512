#include "app/pages/PageRows.h"

#include <stdexcept>

namespace app {

void NoSuchLabel(std::string_view name) { throw std::out_of_range("no label " + std::string(name)); }

std::string IndexLabelName(int category) { return "LabelIndex(" + std::to_string(category) + ")"; }

std::string ValueLabelName(const char* captionLabel) { return std::string(captionLabel) + "value"; }

}  // namespace app
