// The input box of the class library: a small modal form asking for one line of
// text. Tests answer it through the application's OnInputQuery.
#pragma once

#include <string>

namespace ad {

// Shows the box with value as the default; true with the entered text in value
// when the user pressed OK, false (value unchanged) on Cancel or Esc.
bool InputQuery(const std::string& caption, const std::string& prompt, std::string& value);

}  // namespace ad
