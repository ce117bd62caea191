#include "app/Program.h"

#include "ecu/FaultCodeText.h"

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
        return fault_code::meaning(localisation.tables, code);
    };
    exchangeHooks.offerFirmware = [this] { loop.offerFirmware(); };
    return exchangeHooks;
}

}  // namespace corsel
