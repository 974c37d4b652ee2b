// A result or a message in the result pane, as every part of the window shows one.
#pragma once

#include <string_view>

#include "common/display/RichTextBox.h"

namespace zentra {

// Puts the text into the pane: cleared and disabled for an empty text, else filled and enabled.
void ShowResult(RichTextBox& pane, std::string_view text);

}  // namespace zentra
