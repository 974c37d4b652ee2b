#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "window/OkImage.h"

namespace zentra {
namespace {

struct FakeImage final : OkImagePort {
    void MoveBy(int dx, int dy) override {
        x += dx;
        y += dy;
    }
    int x = 0;
    int y = 0;
};

// Mouse sequences on a 40 x 20 image: D/U button down/up (l, r, m), M move to the point, C click.
// Each row: the sequence, the image's offset and state at the end, and what the window must do.
TEST(OkImage_Mouse, SequencesPressReleaseAndClose) {
    struct Case {
        const char* sequence;
        int offset;
        OkPress state;
        const char*
            outcomes;  // one letter per event that asked for something: W What's This, X close
    };
    const Case cases[] = {
        {"Dl", 2, OkPress::Pressed, ""},
        {"Dl Ul C", 0, OkPress::Released, "X"},
        {"Dl Dl Ul C", 0, OkPress::Released, "X"},                  // no second sink
        {"Dl M10,10 M40,20 M0,0 Ul C", 0, OkPress::Released, "X"},  // bounds belong to it
        {"Dl M41,5 Ul C", 0, OkPress::Idle, ""},                    // dragged off: panel stays
        {"Dl M5,-1 M5,5 Ul C", 0, OkPress::Idle, ""},               // no press again on return
        {"Dl Dr Ur C", 0, OkPress::Idle, "W"},                      // right click releases
        {"Dr Ur C", 0, OkPress::Idle, "W"},
        {"Dl Um C", 0, OkPress::Idle, ""},
        {"Dm Um C", 0, OkPress::Idle, ""},
        {"C", 0, OkPress::Idle, ""},
        {"Dl Ul C Dl", 2, OkPress::Pressed, "X"},
    };
    for (const Case& c : cases) {
        FakeImage picture;
        OkImage image(picture);
        std::string outcomes;
        auto note = [&](OkOutcome outcome) {
            if (outcome == OkOutcome::ShowWhatsThis) outcomes += 'W';
            if (outcome == OkOutcome::Close) outcomes += 'X';
        };
        const std::string sequence = c.sequence;
        for (std::size_t at = 0; at < sequence.size(); at = sequence.find(' ', at) + 1) {
            const char kind = sequence[at];
            const char which = at + 1 < sequence.size() ? sequence[at + 1] : ' ';
            const int button = which == 'l' ? 1 : which == 'r' ? 2 : 4;
            if (kind == 'D') note(image.OnMouseDown(button));
            if (kind == 'U') image.OnMouseUp(button);
            if (kind == 'C') note(image.OnClick());
            if (kind == 'M') {
                int x = 0, y = 0;
                std::sscanf(sequence.c_str() + at + 1, "%d,%d", &x, &y);
                image.OnMouseMove(x, y, 40, 20);
            }
            if (sequence.find(' ', at) == std::string::npos) break;
        }
        EXPECT_EQ(picture.x, c.offset) << c.sequence;
        EXPECT_EQ(picture.y, c.offset) << c.sequence;
        EXPECT_EQ(image.State(), c.state) << c.sequence;
        EXPECT_EQ(outcomes, c.outcomes) << c.sequence;
    }
}

}  // namespace
}  // namespace zentra
