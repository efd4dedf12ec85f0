#pragma once
// The application controller: owns the options, the texts, the service
// client, the information texts, the picture list and all timing state.
// Start-up and ticks live in host/, the other operations beside the
// subsystem they drive (service/, slideshow/, render/).

#include "platform/Platform.h"
#include "service/ServiceClient.h"
#include "settings/KeyValueList.h"
#include "settings/KeyValueStore.h"

#include <cstdint>
#include <string>
#include <vector>

constexpr uint32_t FrameTimerId = 1124;
constexpr uint32_t SlideTimerId = 1125;
constexpr uint32_t FramePeriodMs = 500;
constexpr uint32_t SlidePeriodFactorMs = 1002;

struct ScreenRect { int32_t left, top, right, bottom; };

class SaverApp {
public:
    void Start(WindowHandle window);
    int32_t OnTimer(WindowHandle window, uint32_t timerId);
    void StopTimers();
    void ReadRefreshInterval();
    std::string RefreshRateOption() const;
    uint32_t SlidePeriodMs() const; // refreshSeconds x 1002 ms

    void PrepareCache();     // slideshow/
    void Login();            // service/
    void AdvanceSlide();     // slideshow/
    int32_t DrawFrame();     // render/
    void DrawClocks();       // render/
    void DrawPictureInfo();  // render/
    void DrawCountdown();    // render/
    void DrawInfoTable();    // render/

    KeyValueStore options;
    KeyValueStore dictionary;
    bool advancePending = false;
    int64_t lastAdvanceTime = 0;
    uint32_t frameTimer = 0;
    uint32_t slideTimer = 0;
    int32_t refreshSeconds = 10;
    ServiceClient serviceClient;
    KeyValueList infoStore;
    std::vector<std::string> pictureList;
    long rotationPos = -1; // index into pictureList, -1 for none
    ScreenRect screenRect{};
    bool advancing = false;
    WindowHandle window = nullptr;
};

extern SaverApp saverApp;
