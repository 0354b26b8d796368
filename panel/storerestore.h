#pragma once

#include <functional>

class SerialUSBCommandHandler;

// Makes the module store (command 7) or restore (command 8) every axis parameter 0 to 255, one
// exchange each; a restored value is read back so that the panels show it.
class StoreRestore
{
public:
    // Called after each step with the number of steps done; returning false ends the run there.
    using Progress = std::function<bool(int done)>;

    static constexpr int Steps = 256;

    // Both return the number of steps run.
    static int store(SerialUSBCommandHandler& handler, const Progress& progress = {});
    static int restore(SerialUSBCommandHandler& handler, const Progress& progress = {});

private:
    static int run(SerialUSBCommandHandler& handler, bool restoring, const Progress& progress);
};
