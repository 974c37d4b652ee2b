#include "input/ShowResult.h"

#include "engine/ResultRendering.h"

namespace zentra {

void ShowResult(RichTextBox& pane, std::string_view text) {
    pane.ResetView();
    if (text.empty()) {
        pane.SetEnabled(false);
        pane.SetText("");
        return;
    }
    pane.SetTextRTF(RenderResultRtf(text));
    pane.SetEnabled(true);
}

}  // namespace zentra
