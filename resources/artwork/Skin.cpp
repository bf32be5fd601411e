#include "resources/artwork/Skin.h"

namespace velunor::artwork {

const Skin& skinFor(Meter meter) {
    static const Skin vu{Meter::Vu,          "VU",
                         rgb(78, 72, 66),    rgb(50, 46, 42),
                         rgb(30, 28, 26),    rgb(222, 214, 200),
                         rgb(255, 176, 60),  rgb(92, 86, 80)};
    static const Skin rms{Meter::Rms,        "RMS",
                          rgb(64, 72, 82),   rgb(40, 45, 53),
                          rgb(24, 27, 32),   rgb(212, 218, 224),
                          rgb(110, 210, 235), rgb(80, 88, 100)};
    static const Skin ppm{Meter::Ppm,        "PPM",
                          rgb(50, 50, 52),   rgb(28, 28, 30),
                          rgb(16, 16, 17),   rgb(226, 226, 226),
                          rgb(120, 235, 110), rgb(70, 70, 74)};
    switch (meter) {
        case Meter::Rms: return rms;
        case Meter::Ppm: return ppm;
        case Meter::Vu: break;
    }
    return vu;
}

}  // namespace velunor::artwork
