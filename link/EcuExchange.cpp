#include "link/EcuExchange.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "link/EcuFrame.h"
#include "link/ReplyFiling.h"

namespace corsel {
namespace {

constexpr std::size_t kCommandOffset = 1;
// Bytes of the command report after the letters.
constexpr std::size_t kArgumentByte = 7;  // "Disc": 0; "Get_ID": hour, minute, second
constexpr std::size_t kPageByte = 6;      // "GetAH", "GetRH": the fault page
// Bytes of the "CheckFI" reply.
constexpr std::size_t kFamilyByte = 21;      // 0 for a marine ECM
constexpr std::size_t kIdentifiedByte = 23;  // 'r' once the ECM has answered
constexpr std::size_t kEcmIdByte = 26;       // five identification bytes, 26-30
constexpr std::size_t kEcmIdBytes = 5;
constexpr std::size_t kEcmIdKeyBytes = 3;
// Byte 9 of the "Init" reply: 'E' when the ECM refused the session.
constexpr std::size_t kInitResultByte = 9;

// The text up to the first NUL, as the module's replies are C strings.
std::string cString(std::string text) {
    text.resize(std::min(text.size(), text.find('\0')));
    return text;
}

}  // namespace

EcuExchange::EcuExchange(LinkChannel& channel, SessionRecords& records, ExchangeView& view,
                         Clock& clock, ExchangeHooks hooks)
    : channel_(channel),
      records_(records),
      view_(view),
      clock_(clock),
      hooks_(std::move(hooks)),
      received_(channel.receiveReport) {
    channel_.setResetSession([this] { ResetSession(); });
}

EcuExchange::~EcuExchange() {
    channel_.setResetSession(nullptr);
}

bool EcuExchange::send(std::string_view command) {
    putText(channel_.sendReport, kCommandOffset, command);
    return channel_.SendReport();
}

template <typename Expected>
bool EcuExchange::awaitAnswer(Expected expected) {
    for (int round = 0; round < kRepeatLimit; ++round) {
        if (!channel_.WaitReply()) {
            return false;
        }
        if (!isEcho(received_) && expected(received_)) {
            remember(received_);
            return true;
        }
    }
    return giveUp();
}

template <typename Done>
bool EcuExchange::awaitUntil(Done done) {
    for (int waits = 0; !done(received_); ++waits) {
        if (waits >= kRepeatLimit) {
            return giveUp();
        }
        if (!awaitAnswer()) {
            return false;
        }
    }
    return true;
}

bool EcuExchange::awaitAnswer() {
    return awaitAnswer([](const ModuleReport&) { return true; });
}

// A copy of a frame that answered another request: the module sent it twice,
// and the second copy came after the next request went out.
bool EcuExchange::isEcho(const ModuleReport& report) const {
    if (!VerifyChecksum(report)) {
        return false;
    }
    return std::any_of(recentFrames_.begin(), recentFrames_.end(), [&](const TakenFrame& taken) {
        return taken.request != channel_.sendReport &&
               std::equal(report.begin() + 1, report.end(), taken.frame.begin() + 1);
    });
}

void EcuExchange::remember(const ModuleReport& report) {
    if (!VerifyChecksum(report)) {
        return;
    }
    recentFrames_.push_back({report, channel_.sendReport});
    if (recentFrames_.size() > kRecentFrames) {
        recentFrames_.pop_front();
    }
}

bool EcuExchange::requestUntil(std::string_view command, std::string_view tag) {
    for (int round = 0; round < kRepeatLimit; ++round) {
        if (!send(command) || !awaitAnswer()) {
            return false;
        }
        if (hasText(received_, kCommandOffset, tag)) {
            return true;
        }
    }
    return giveUp();
}

bool EcuExchange::giveUp() {
    channel_.dropLink();
    return false;
}

void EcuExchange::recordSample() {
    if (hooks_.RecordSample) {
        hooks_.RecordSample(received_);
    }
}

bool EcuExchange::ReadModuleIdentity() {
    channel_.sendReport[kArgumentByte] = 0;
    if (!send("Disc")) {
        return false;
    }
    const TimeOfDay time = clock_.timeOfDay();
    channel_.sendReport[kArgumentByte] = static_cast<std::uint8_t>(time.hour);
    channel_.sendReport[kArgumentByte + 1] = static_cast<std::uint8_t>(time.minute);
    channel_.sendReport[kArgumentByte + 2] = static_cast<std::uint8_t>(time.second);
    if (!requestUntil("Get_ID", "ID")) {
        return false;
    }
    ModuleIdentity& identity = records_.identity;
    identity.HardwareId = cString(textAt(received_, 3, 5));
    view_.showHardwareId(identity.HardwareId);

    if (records_.firmwareOfferPending && identity.HardwareId != kCarriedFirmware) {
        records_.firmwareOfferPending = false;
        if (hooks_.offerFirmware) {
            hooks_.offerFirmware();
        }
        return true;
    }

    if (!requestUntil("Get_SN", "SN")) {
        return false;
    }
    identity.HardwareSerial = cString(textAt(received_, 3, 6));
    view_.showHardwareSerial(identity.HardwareSerial);
    return true;
}

bool EcuExchange::PollPower() {
    if (!send("Power") || !awaitAnswer()) {
        return false;
    }
    ModuleIdentity& identity = records_.identity;
    if (hasText(received_, kCommandOffset, "Power OK")) {
        if (!identity.powerStable && ++identity.powerOkCount > 29) {
            identity.powerStable = true;
        }
    } else if (hasText(received_, kCommandOffset, "No Power")) {
        identity.powerStable = false;
        identity.powerOkCount = 0;
    }
    return true;
}

// "CheckFI" until a reply carries the mark of an identified ECM. A 'C' without
// it means that the ECM did not answer; that is tried once more after a pause.
bool EcuExchange::checkEcm() {
    for (int attempt = 0;; ++attempt) {
        records_.tableStore.clear();
        records_.PollStep = 0;
        records_.identity.MarineMode = false;
        if (!send("CheckFI")) {
            return false;
        }
        // Only a reply to this request may decide: marks that earlier
        // replies left in the buffer go.
        received_[kCommandOffset] = 0;
        received_[kIdentifiedByte] = 0;
        received_[kIdentifiedByte + 1] = 0;
        const auto decided = [](const ModuleReport& reply) {
            return reply[kIdentifiedByte] == 'r' || reply[kCommandOffset] == 'C';
        };
        if (!awaitUntil(decided)) {
            return false;
        }
        if (received_[kIdentifiedByte] == 'r') {
            return true;
        }
        if (attempt >= 1) {
            return false;
        }
        clock_.sleepFor(kCheckRetryPause);
    }
}

bool EcuExchange::StartEcuSession() {
    if (!checkEcm()) {
        return false;
    }
    ModuleIdentity& identity = records_.identity;
    identity.ecmPartNumber.clear();
    identity.EcmId.clear();
    for (std::size_t i = 0; i < kEcmIdBytes; ++i) {
        char digits[3];
        std::snprintf(digits, sizeof digits, "%02X", received_[kEcmIdByte + i]);
        identity.ecmPartNumber += digits;
        identity.ecmPartNumber += ' ';
        if (i < kEcmIdKeyBytes) {
            identity.EcmId += digits;
        }
    }
    if (received_[kFamilyByte] == 0) {
        view_.removeThirdTab();
        identity.MarineMode = true;
        view_.applyLanguageTexts();
    }
    recordSample();

    if (identity.MarineMode) {
        clock_.sleepFor(kMarineInitPause);
    }
    clock_.sleepFor(kInitPause);
    if (!send("Init")) {
        return false;
    }
    // A 'C' already in the buffer ends this without a wait.
    if (!awaitUntil([](const ModuleReport& reply) { return reply[kCommandOffset] == 'C'; })) {
        return false;
    }
    if (received_[kInitResultByte] == 'E') {
        return false;
    }

    // One whole pass from the first page, whatever an earlier session left:
    // the count shown at the start must cover every page.
    FaultLists& lists = records_.faultLists;
    lists.clear();
    records_.faultPage = 1;
    for (int page = 0; page < kFaultPageCount; ++page) {
        if (!ReadFaultPage()) {
            return false;
        }
    }
    lists.CurrentDtcCount = lists.collectingCount;
    records_.sessionActive = true;
    view_.showEcmPartNumber(identity.ecmPartNumber);
    if (lists.CurrentDtcCount != 0) {
        records_.CurrentPage = SessionRecords::kFaultListPage;
        view_.selectFaultTab();
    }
    view_.enablePrint();
    return true;
}

bool EcuExchange::PollTable(std::string_view command) {
    if (!send(command)) {
        return false;
    }
    // A fault page here is the late answer to an earlier page request.
    const auto notFaultPage = [](const ModuleReport& reply) {
        return !(VerifyChecksum(reply) && isFaultPageFrame(reply));
    };
    if (!awaitAnswer(notFaultPage)) {
        return false;
    }
    ProcessReply(records_, received_, hooks_.faultName);
    recordSample();
    return true;
}

bool EcuExchange::ReadFaultPage() {
    if (records_.faultPage < 1 || records_.faultPage > kFaultPageCount) {
        records_.faultPage = 1;
    }
    records_.faultLists.startPage(records_.faultPage);
    if (readPageHalf("GetAH", kCurrentFaultsService) == PageHalf::Failed) {
        return false;
    }
    switch (readPageHalf("GetRH", kPastFaultsService)) {
        case PageHalf::Failed:
            return false;
        case PageHalf::NoData:
            return true;  // the same page is asked for again next time
        case PageHalf::Stored:
            break;
    }
    records_.faultLists.finishPage();
    records_.faultPage = records_.faultPage >= kFaultPageCount
                             ? 1
                             : static_cast<std::uint16_t>(records_.faultPage + 1);
    return true;
}

bool EcuExchange::requestPage(std::string_view command) {
    channel_.sendReport[kPageByte] = static_cast<std::uint8_t>(records_.faultPage);
    return send(command) && awaitAnswer();
}

bool EcuExchange::answersPage(std::uint8_t service) const {
    return received_[kServiceByte] == service && received_[kTableByte] == records_.faultPage;
}

EcuExchange::PageHalf EcuExchange::readPageHalf(std::string_view command, std::uint8_t service) {
    for (int round = 0; round < kRepeatLimit; ++round) {
        if (!requestPage(command)) {
            return PageHalf::Failed;
        }
        if (IsNoData(received_)) {
            return PageHalf::NoData;
        }
        // The answer to another request: the one to this may still be coming.
        if (!answersPage(service) && !requestPage(command)) {
            return PageHalf::Failed;
        }
        if (received_[kCommandOffset] == 'D' || !channel_.linkOpen) {
            return PageHalf::Failed;
        }
        // Codes are taken only from a sound frame of the page asked for;
        // anything else is asked for again.
        if (answersPage(service) && VerifyChecksum(received_)) {
            recordSample();
            records_.faultLists.StoreFaultCodes(received_, service == kCurrentFaultsService);
            return PageHalf::Stored;
        }
    }
    giveUp();
    return PageHalf::Failed;
}

bool EcuExchange::ClearFaultCodes() {
    PromptRequest question;
    question.text = texts.clearQuestion;
    question.caption = texts.attentionCaption;
    question.buttons = PromptButtons::YesNo;
    question.icon = PromptIcon::Question;
    question.ownedByMainWindow = true;
    if (view_.ask(question) != PromptAnswer::Yes) {
        return true;
    }
    for (int round = 0;; ++round) {
        if (round >= kRepeatLimit) {
            return giveUp();
        }
        if (!send("ErrorC") || !awaitAnswer()) {
            return false;
        }
        clock_.sleepFor(kClearPause);
        // The ECM has gone: the session loop reports it at its next poll.
        if (!channel_.linkOpen || received_[kCommandOffset] == 'D') {
            return false;
        }
        if (received_[kTableByte] == 0) {
            break;
        }
    }
    return ReadFaultPage();
}

void EcuExchange::EndEcuSession() {
    channel_.sendReport[kArgumentByte] = 0;
    if (!send("Disc")) {
        return;
    }
    records_.identity.MarineMode = false;
    view_.applyLanguageTexts();
    // A failed wait has reset the session already.
    if (awaitAnswer()) {
        ResetSession();
    }
}

bool EcuExchange::SendStop() {
    channel_.sendReport[kArgumentByte] = 0;
    return send("Stop");
}

void EcuExchange::ResetSession() {
    std::fill(received_.begin(), received_.begin() + kPayloadSize, std::uint8_t{0});
    records_.tableStore.clear();
    records_.sessionActive = false;
    records_.identifyNeeded = true;
    records_.faultLists.clear();
    records_.statusFaultText.clear();
    records_.identity.EcmId.clear();
    records_.CurrentPage = SessionRecords::kRepaintPending;
    recentFrames_.clear();
    view_.sessionReset();
    channel_.linkOpen = false;
}

}  // namespace corsel
