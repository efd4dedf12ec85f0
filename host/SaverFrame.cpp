// The frame: the controller's state at this moment, read from the options,
// the dictionary and the information store and handed to the render side as
// plain values.

#include "host/SaverApp.h"
#include "host/Screens.h"
#include "render/Overlay.h"
#include "render/RenderDevice.h"
#include "service/InfoTableRows.h"

namespace {

bool IsYes(const KeyValueStore& options, const char* key, const char* fallback)
{
    return options.GetString(key, fallback) == "yes";
}

TableRowKind KindOf(InfoRow::Kind kind)
{
    switch (kind) {
    case InfoRow::Kind::Rule: return TableRowKind::Rule;
    case InfoRow::Kind::Gap: return TableRowKind::Gap;
    case InfoRow::Kind::Title: return TableRowKind::Title;
    case InfoRow::Kind::Value: break;
    }
    return TableRowKind::Value;
}

std::vector<TableRow> TableRowsOf(const KeyValueList& info)
{
    std::vector<TableRow> rows;
    for (InfoRow& row : InfoTableRows(info))
        rows.push_back(TableRow{KindOf(row.kind), std::move(row.text), std::move(row.label)});
    return rows;
}

} // namespace

FrameContent SaverApp::FrameContentAt(int64_t now) const
{
    const FrameFlags flags{IsYes(options, "ShowZembrianTime", "yes"), IsYes(options, "ShowLocalTime", "no"),
                           IsYes(options, "ShowAllInfos", "yes")};
    const FrameWords words{dictionary.GetString("ZembrianTime", "time"), dictionary.GetString("ZembrianTimeSuffix", ""),
                           dictionary.GetString("LocalTime", "local"), dictionary.GetString("LocalTimeSuffix", ""),
                           dictionary.GetString("Seconds", "secs.")};
    const CaptionContent captions{infoStore.GetString("ImageInfoMain", ""),
                                  infoStore.GetString("ImageInfoReloadLable", ""),
                                  infoStore.GetString("ImageInfoSub", ""),
                                  infoStore.GetString("ImageInfoURL", ZEMBRIA_WEB_HOST)};
    return FrameContentOf(screenRect, flags, words, captions,
                          flags.showInfoTable ? TableRowsOf(infoStore) : std::vector<TableRow>{},
                          CountdownState{refreshSeconds, lastAdvanceTime, advancing}, now);
}

int32_t SaverApp::DrawFrame()
{
    // One content for every monitor, each laid out for its own size. A lost
    // device is asked on every tick and draws nothing until it is back; the
    // others go on meanwhile. The answer is the first device's.
    const FrameContent content = FrameContentAt(PlatformNow());
    int32_t first = 0;
    for (RenderDevice* each : Devices()) {
        const DeviceState state = each->RecoverIfLost();
        const int32_t result = state == DeviceState::Ok ? ComposeFrame(*each, content) : static_cast<int32_t>(state);
        if (each == &screens.First()) first = result;
    }
    return first;
}
