#include "panel/storerestore.h"

#include "link/diagnostic.h"
#include "link/serialusbcommandhandler.h"

namespace {
constexpr std::uint8_t CommandStore = 7;
constexpr std::uint8_t CommandRestore = 8;
} // namespace

int StoreRestore::store(SerialUSBCommandHandler& handler, const Progress& progress)
{
    Diagnostic() << "store actual values on module";
    return run(handler, false, progress);
}

int StoreRestore::restore(SerialUSBCommandHandler& handler, const Progress& progress)
{
    Diagnostic() << "restore values on module";
    return run(handler, true, progress);
}

int StoreRestore::run(SerialUSBCommandHandler& handler, bool restoring, const Progress& progress)
{
    for (int number = 0; number < Steps; ++number) {
        if (!handler.isDeviceOpen()) {
            Diagnostic() << (restoring ? "could not restore parameter "
                                       : "could not store parameter ")
                         << QString::number(number);
        } else {
            handler.sendRequest(ZEVARequest(1, restoring ? CommandRestore : CommandStore,
                                            std::uint8_t(number), 0, 0));
            if (const auto reply = handler.receiveReply()) {
                Diagnostic() << QString::number(number) << ": "
                             << QString::number(qint8(reply->status()));
                if (restoring)
                    handler.requestValue(0, char(number));
            }
        }
        if (progress && !progress(number + 1) && number + 1 < Steps) {
            Diagnostic() << (restoring ? "restore" : "store") << "cancelled after parameter"
                         << QString::number(number);
            return number + 1;
        }
    }
    return Steps;
}
