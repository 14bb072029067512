#pragma once
// The main window's stored form: the settings of its own controls, read when
// the window loads (app/FormVeltrix.form, compiled in).

#include <string_view>

namespace app {
std::string_view StoredFormText();
}
