#include "app/Program.h"

namespace corsel {

Program::Program(ProgramServices programServices, MainWindowHooks programHooks)
    : services(std::move(programServices)),
      hooks(std::move(programHooks)),
      window(*this),
      exchange(services.channel, records, window, services.clock, exchangeHooks()),
      pollCycle(exchange, records, services.channel),
      loop(*this) {}

ExchangeHooks Program::exchangeHooks() {
    ExchangeHooks exchangeHooks;
    exchangeHooks.RecordSample = [this](ModuleReport& frame) {
        if (hooks.recordSample) {
            hooks.recordSample(frame);
        }
    };
    exchangeHooks.faultName = [this](int code) {
        return TextTables::entry(localisation.tables.DtcTexts, static_cast<std::size_t>(code));
    };
    exchangeHooks.offerFirmware = [this] { loop.offerFirmware(); };
    return exchangeHooks;
}

}  // namespace corsel
