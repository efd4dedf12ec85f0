#pragma once
// The demo service on 127.0.0.1 as the controller tests meet it: member anna
// (password "secret"), the demo pictures written to pictureFolder, a new
// picture every second, its request log beside the pictures.

#include "DemoPictures.h"
#include "DemoService.h"

#include <memory>
#include <string>

// The running service, or null when the pictures or the server couldn't be made.
inline std::unique_ptr<DemoService> StartDemoForAnna(const std::string& pictureFolder)
{
    if (WriteDemoPictures(pictureFolder) != 0) return nullptr;
    DemoConfig config;
    config.pictureFolder = pictureFolder;
    config.intervalSeconds = 1;
    config.members["anna"] = "secret";
    config.logPath = pictureFolder + "/requests.log";
    auto service = std::make_unique<DemoService>(config);
    if (service->Start() != 0) return nullptr;
    return service;
}
