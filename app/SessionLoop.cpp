#include "app/SessionLoop.h"

#include "app/Program.h"
#include "link/EcuFrame.h"
#include "text/MainTextIds.h"

namespace corsel {

SessionLoop::SessionLoop(Program& program) : program_(program) {}

void SessionLoop::OnTimer() {
    SessionRecords& records = program_.records;
    MainWindowView& view = program_.services.view;
    LinkChannel& channel = program_.services.channel;
    SessionFlags& flags = program_.flags;

    commandLineStep();
    if (pendingRepaintStep() || bootLoaderStep()) {
        return;
    }
    view.setEnabled(ControlId::Graph, records.sessionActive || records.PlaybackMode);
    if (updateCheckStep()) {
        return;
    }
    if (program_.localisation.tables.MainTexts[TextTables::kReloadMarker] == "0") {
        program_.window.ResetDisplay();
    }
    // A second copy shows "Offline mode" in these fields instead.
    if (!channel.linkOpen && !flags.secondInstance) {
        const std::string& noValue = program_.window.text(MainText::NoValue);
        if (view.text(ControlId::HardwareIdValue) != noValue) {
            view.setText(ControlId::HardwareIdValue, noValue);
            view.setText(ControlId::SerialValue, noValue);
        }
    }
    if (!channel.linkOpen) {
        records.identifyNeeded = true;
    }
    view.setEnabled(ControlId::Settings, !(records.sessionActive || records.PlaybackMode));
    linkStep();
    if (records.sessionActive && !channel.linkOpen) {
        program_.exchange.ResetSession();
    }
    // An exchange that fails ends the tick: the rest waits for the next one.
    if (channel.linkOpen && !linkedStep()) {
        return;
    }
    if (!channel.linkOpen) {
        view.setEnabled(ControlId::Connect, false);
    }
    if (records.PlaybackMode && program_.hooks.playbackStep) {
        program_.hooks.playbackStep();
    }
    view.setText(ControlId::StatusLine,
                 records.CurrentPage == SessionRecords::kFreezeFramePage ? records.statusFaultText : "");
    flags.faultPageMode = records.faultLists.CurrentDtcCount != 0 ? 2 : 1;
    program_.window.showSelectedPage();
}

bool SessionLoop::commandLineStep() {
    SessionFlags& flags = program_.flags;
    if (flags.commandLineTicks == 0 || ++flags.commandLineTicks <= kCommandLineTicks) {
        return false;
    }
    flags.commandLineTicks = 0;
    if (!flags.commandLineFile.empty() && program_.hooks.openRecording) {
        program_.hooks.openRecording(flags.commandLineFile);
    }
    flags.commandLineFile.clear();
    return true;
}

bool SessionLoop::pendingRepaintStep() {
    SessionRecords& records = program_.records;
    SessionFlags& flags = program_.flags;
    if (records.CurrentPage != SessionRecords::kRepaintPending) {
        return false;
    }
    if (++flags.repaintTicks <= 1) {
        return false;
    }
    records.CurrentPage = 0;
    flags.repaintTicks = 0;
    program_.services.view.repaint();
    return true;
}

bool SessionLoop::bootLoaderStep() {
    ProgramServices& services = program_.services;
    SessionFlags& flags = program_.flags;
    // A second copy never opens the module, not even its boot loader.
    if (services.channel.linkOpen || flags.bootLoaderServed || flags.secondInstance) {
        return false;
    }
    services.link.setSingleHandleMode(true);
    if (!openModule(kBootLoaderProductId)) {
        return false;
    }
    services.view.stopTimer();
    services.channel.stopThreads = true;
    services.channel.replyArrived = true;
    services.clock.sleepFor(kBootLoaderPause);
    if (program_.hooks.runFirmwareUpdate) {
        program_.hooks.runFirmwareUpdate();
    }
    services.clock.sleepFor(kBootLoaderPause);
    flags.bootLoaderServed = true;
    services.channel.linkOpen = false;
    program_.records.identifyNeeded = true;
    services.view.startTimer();
    return true;
}

bool SessionLoop::updateCheckStep() {
    SessionFlags& flags = program_.flags;
    if (!flags.updateCheckPending) {
        return false;
    }
    MainWindowView& view = program_.services.view;
    view.stopTimer();
    if (program_.hooks.updateCheck) {
        program_.hooks.updateCheck();
    }
    if (flags.closing) {
        return true;
    }
    view.startTimer();
    flags.updateCheckPending = false;
    return false;
}

bool SessionLoop::openModule(std::uint16_t productId) {
    // A library that can't be loaded is reported in a message box: the timer
    // stops meanwhile, so that ticks never nest.
    MainWindowView& view = program_.services.view;
    view.stopTimer();
    const bool found = program_.services.link.OpenModule(kModuleVendorId, productId);
    view.startTimer();
    return found;
}

void SessionLoop::linkStep() {
    ProgramServices& services = program_.services;
    SessionFlags& flags = program_.flags;
    LinkChannel& channel = services.channel;
    if (program_.records.PlaybackMode) {
        // Playback and a live link exclude each other.
        channel.linkOpen = false;
        return;
    }
    services.view.setEnabled(ControlId::StepBack, false);
    services.view.setEnabled(ControlId::StepForward, false);
    if (flags.secondInstance) {
        const std::string& offline = program_.window.text(MainText::OfflineMode);
        if (services.view.text(ControlId::HardwareIdValue) != offline) {
            services.view.setText(ControlId::HardwareIdValue, offline);
            services.view.setText(ControlId::SerialValue, offline);
        }
        return;
    }
    if (channel.linkOpen) {
        return;
    }
    services.link.CloseModule();
    services.link.setSingleHandleMode(false);
    if (flags.openAttemptTicks++ <= kOpenAttemptTicks) {
        return;
    }
    flags.openAttemptTicks = 0;
    channel.linkOpen = openModule(kModuleProductId);
    if (channel.linkOpen) {
        channel.stopThreads = false;
        channel.startThreads();
    }
}

bool SessionLoop::linkedStep() {
    SessionRecords& records = program_.records;
    MainWindowView& view = program_.services.view;
    if (records.identifyNeeded) {
        records.identifyNeeded = false;
        offerMade_ = false;
        if (!program_.exchange.ReadModuleIdentity() || offerMade_) {
            return false;
        }
    }
    program_.flags.currentTab = static_cast<std::uint16_t>(view.selectedTab());
    if (!records.sessionActive) {
        if (!program_.exchange.PollPower()) {
            return false;
        }
        view.setEnabled(ControlId::Connect, records.identity.powerStable);
        return true;
    }
    return pollStep();
}

bool SessionLoop::pollStep() {
    SessionRecords& records = program_.records;
    ProgramServices& services = program_.services;
    MainWindowView& view = services.view;
    view.setEnabled(ControlId::Open, false);
    if (!program_.pollCycle.step(program_.flags.currentTab)) {
        return false;
    }
    if (isDisconnectNotice(services.channel.receiveReport)) {
        showCommunicationError();
        return false;
    }
    const std::uint16_t count = records.faultLists.CurrentDtcCount;
    view.setEnabled(ControlId::ErrorClear, count != 0);
    const std::string countText = std::to_string(count);
    if (view.text(ControlId::DtcValue) != countText) {
        view.setText(ControlId::DtcValue, countText);
    }
    return true;
}

void SessionLoop::showCommunicationError() {
    MainWindowView& view = program_.services.view;
    view.stopTimer();
    program_.exchange.ResetSession();
    view.ask({program_.window.text(MainText::CommunicationError),
              program_.window.text(MainText::ErrorCaption), PromptButtons::Ok, PromptIcon::Error,
              true});
    program_.records.sessionActive = false;
    view.startTimer();
}

void SessionLoop::offerFirmware() {
    MainWindowView& view = program_.services.view;
    offerMade_ = true;
    view.stopTimer();
    program_.records.firmwareOfferPending = false;
    if (program_.hooks.offerFirmware) {
        program_.hooks.offerFirmware();
    }
    view.startTimer();
}

}  // namespace corsel
