#pragma once

#include <cstddef>

namespace corsel::MainText {

// Entries of MainTexts.
enum : std::size_t {
    Title = 0,
    ClearCodes = 1,
    Connect = 2,
    NoValue = 3,
    SaveAs = 4,
    Open = 5,
    Exit = 7,
    DtcLabel = 8,
    FirstPageName = 9,
    About = 17,
    HardwareIdLabel = 18,
    SerialLabel = 19,
    EcmIdLabel = 20,
    Disconnect = 21,
    ErrorCaption = 23,
    CommunicationError = 24,
    TimePrefix = 27,
    SecondsSuffix = 28,
    Help = 29,
    ClearQuestion = 34,
    ContinueUnsaved = 36,
    AttentionCaption = 37,
    ExitUnsaved = 40,
    Settings = 41,
    Models = 42,
    Faq = 43,
    Graph = 44,
    OfflineMode = 45,
    Print = 66,
};

}  // namespace corsel::MainText
