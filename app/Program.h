#pragma once

#include <string>

#include "app/MainWindowHooks.h"
#include "app/MainWindowLogic.h"
#include "app/MainWindowView.h"
#include "app/SessionFlags.h"
#include "app/SessionLoop.h"
#include "app/StoredSettings.h"
#include "link/EcuExchange.h"
#include "link/LinkChannel.h"
#include "link/ModuleLink.h"
#include "link/PollCycle.h"
#include "link/SessionRecords.h"
#include "pages/PageRecords.h"
#include "platform/Clock.h"
#include "platform/InstanceLock.h"
#include "platform/RegistryStore.h"
#include "platform/Shell.h"
#include "text/Localisation.h"

namespace corsel {

// What the program runs on: the module link and the system's services.
struct ProgramPlatform {
    ModuleLink& link;
    LinkChannel& channel;
    Clock& clock;
    RegistryStore& registry;
    InstanceLock& instanceLock;
    Shell& shell;
    std::string workingFolder;
    std::string systemTempFolder;
};

// ... and the main window it shows itself in.
struct ProgramServices : ProgramPlatform {
    ProgramServices(const ProgramPlatform& platform, MainWindowView& mainView)
        : ProgramPlatform(platform), view(mainView) {}
    MainWindowView& view;
};

// The program's records and the logic of its main window, created at start
// and living until the end. The Qt window and the tests drive the same object.
class Program {
public:
    explicit Program(ProgramServices services, MainWindowHooks hooks = {});
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    ProgramServices services;
    MainWindowHooks hooks;
    SessionRecords records;
    Localisation localisation;
    StoredSettings stored;
    SessionFlags flags;
    PageRecords pages;
    std::string temporaryFolder;
    double displayScale = 1.0;

    MainWindowLogic window;
    EcuExchange exchange;
    PollCycle pollCycle;
    SessionLoop loop;

private:
    ExchangeHooks exchangeHooks();
};

}  // namespace corsel
