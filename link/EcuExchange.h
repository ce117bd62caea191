#pragma once

#include <chrono>
#include <cstddef>
#include <deque>
#include <string_view>

#include "link/ExchangeView.h"
#include "link/LinkChannel.h"
#include "link/SessionRecords.h"
#include "platform/Clock.h"

namespace corsel {

// The module's command set: identification, the power watch, the start and
// end of an ECU session, the table polls, the fault pages and their clearing.
// Every operation runs on the user-interface thread and returns false as soon
// as the link fails; by then the session has been reset.
//
// Two rules keep a stray reply from being taken for the answer to a later
// request. A valid frame that is an exact copy (time stamp included) of one
// taken shortly before is an echo and is passed over. And a reply is judged
// by what the request expects: a fault page must carry the service and page
// asked for, a table poll takes no fault page frame.
//
// Loops that repeat a request until a particular reply comes give up after
// kRepeatLimit rounds and drop the link, so the session loop starts afresh.
class EcuExchange {
public:
    static constexpr int kRepeatLimit = 20;
    // The firmware version that this program carries for the module.
    static constexpr std::string_view kCarriedFirmware = "V2.07";
    static constexpr std::chrono::milliseconds kCheckRetryPause{500};
    static constexpr std::chrono::milliseconds kInitPause{1000};
    static constexpr std::chrono::milliseconds kMarineInitPause{2000};
    static constexpr std::chrono::milliseconds kClearPause{20};

    EcuExchange(LinkChannel& channel, SessionRecords& records, ExchangeView& view, Clock& clock,
                ExchangeHooks hooks = {});
    ~EcuExchange();
    EcuExchange(const EcuExchange&) = delete;
    EcuExchange& operator=(const EcuExchange&) = delete;

    bool ReadModuleIdentity();
    bool PollPower();
    bool StartEcuSession();
    bool PollTable(std::string_view command);
    bool ReadFaultPage();
    // Asks first; true when the user declines or the codes were cleared and
    // one fault page read.
    bool ClearFaultCodes();
    void EndEcuSession();
    // Tells the module that the program ends; no answer is awaited.
    bool SendStop();

    // Clears the session's records and the window's session state and takes
    // the link down; the session loop identifies the module again.
    void ResetSession();

    ExchangeTexts texts;

private:
    enum class PageHalf { Failed, NoData, Stored };

    bool send(std::string_view command);
    // Waits for the answer to the request just written, passing over echoes
    // and replies that `expected` refuses.
    template <typename Expected>
    bool awaitAnswer(Expected expected);
    bool awaitAnswer();
    // Waits until the receive buffer satisfies `done`; what it holds already
    // counts, so a reply that came before may end it without a wait.
    template <typename Done>
    bool awaitUntil(Done done);
    // Repeats the request until the reply begins with `tag`.
    bool requestUntil(std::string_view command, std::string_view tag);
    bool checkEcm();
    PageHalf readPageHalf(std::string_view command, std::uint8_t service);
    bool requestPage(std::string_view command);
    bool answersPage(std::uint8_t service) const;
    bool isEcho(const ModuleReport& report) const;
    void remember(const ModuleReport& report);

    // A valid frame taken lately, and the request that it answered.
    struct TakenFrame {
        ModuleReport frame;
        ModuleReport request;
    };
    static constexpr std::size_t kRecentFrames = 4;
    void recordSample();
    // Gives up an exchange that never came to an end.
    bool giveUp();

    LinkChannel& channel_;
    SessionRecords& records_;
    ExchangeView& view_;
    Clock& clock_;
    ExchangeHooks hooks_;
    ModuleReport& received_;
    std::deque<TakenFrame> recentFrames_;  // newest last
};

}  // namespace corsel
