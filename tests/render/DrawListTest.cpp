// What a frame writes into the draw list, from plain values alone, as the
// recording device carries it out: every command in order.

#include "RecordingFixture.h"

#include <sstream>

namespace {

// One command as a short line: its kind and what it draws where.
std::string Describe(const DrawCall& call)
{
    std::ostringstream line;
    switch (call.kind) {
    case DrawCall::Kind::Clear: line << "clear"; break;
    case DrawCall::Kind::Clip: line << "clip"; break;
    case DrawCall::Kind::Present: line << "present"; break;
    case DrawCall::Kind::Quad: line << "quad " << call.texture; break;
    case DrawCall::Kind::Text: line << "text " << static_cast<int>(call.font) << " \"" << call.text << "\""; break;
    }
    line << " " << call.rect;
    return line.str();
}

} // namespace

TEST_F(RecordingTest, FrameWritesItsLayersInDrawingOrder)
{
    device.Bar().LoadResource(162, 0, 0);
    const CaptionContent captions{"Harbour", "", "Cam", "web"};
    const ClockContent noClocks;
    const ClockContent bothClocks{true, true, "time: 12:00 ", "local: 10:07 "};
    const std::vector<TableRow> rows = {{TableRowKind::Title, "Sea", {}}, {TableRowKind::Rule, "hr", {}}};
    struct Case {
        const char* what;
        FrameContent content;
        std::vector<std::string> commands;
    };
    const Case cases[] = {
        {"no clocks, no table: the empty clock panel is still submitted",
         FrameContent{{0, 0, W, H}, noClocks, captions, "  20 secs.", false, rows},
         {"clear {0,0,1920,1080}", "quad OverlayLogo 162 {0,915,612,1000}", "quad none {0,0,0,0}",
          "text 0 \"Harbour\" {159,918,257,946}", "text 1 \"Cam\" {160,948,184,966}",
          "text 2 \"web\" {160,979,184,997}", "text 3 \"  20 secs.\" {460,926,540,944}", "present {0,0,1920,1080}"}},
        {"both clocks, a reload label and a table with a title and a rule",
         FrameContent{{0, 0, W, H}, bothClocks, {"Harbour", "live", "Cam", "web"}, "   0 secs.", true, rows},
         {"clear {0,0,1920,1080}", "quad OverlayLogo 162 {0,915,612,1000}", "quad panel 260x25 {1660,0,1920,25}",
          "text 1 \"-\" {1798,2,1806,20}", "text 1 \"local: 10:07 \" {1810,2,1914,20}",
          "text 1 \"time: 12:00 \" {1665,2,1761,20}", "text 0 \"Harbour\" {159,918,257,946}",
          "text 3 \"live\" {380,926,412,944}", "text 1 \"Cam\" {160,948,184,966}", "text 2 \"web\" {160,979,184,997}",
          "text 3 \"   0 secs.\" {460,926,540,944}", "quad panel 300x18 {1610,909,1910,927}",
          "text 2 \" Sea:\" {1610,909,1650,927}", "quad panel 300x9 {1610,927,1910,936}",
          "text 1 \"-------------------------------------\" {1610,918,1906,936}", "present {0,0,1920,1080}"}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.what);
        Calls().clear();
        device.LastFrame().valid = false;
        ASSERT_EQ(ComposeFrame(device, test.content), 0);
        std::vector<std::string> commands;
        for (const DrawCall& call : Calls())
            commands.push_back(Describe(call));
        EXPECT_EQ(commands, test.commands);
    }
}
