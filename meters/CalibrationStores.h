#pragma once
// The process-wide Global and Session calibration stores: one float per meter setting, shared by
// every engine of the process. Both are read from the settings store once, by an explicit call made
// before the first instance exists (never from a static initialiser, so a tool or test can choose
// the store first); only the Global one is ever written back.

#include "core/Relaxed.h"
#include "host/VstAbi.h"
#include "meters/MeterSettings.h"

namespace velunor {

// Calibration mode as "GSIcal" numbers it.
enum class CalibrationMode : int { Global = 0, Session = 1, Instance = 2 };

class SharedCalibrationStore {
public:
    // The entry of a meter setting index; 0 for other indices.
    float get(VstInt32 index) const;
    void set(VstInt32 index, float value);
    void fillWithDefaults();

private:
    Relaxed<float> values_[kMeterSettingCount];
};

SharedCalibrationStore& globalCalibrationStore();
SharedCalibrationStore& sessionCalibrationStore();
SharedCalibrationStore& calibrationStoreFor(CalibrationMode mode);  // Global or Session

// Reads both stores on the first call; later calls do nothing. Safe from any thread.
void loadCalibrationStores();
// Reads both stores again and puts the last calibration mode back to Session, as a fresh library
// load would. For tests and tools.
void reloadCalibrationStores();

// The calibration mode last chosen in any instance of the process; new engines start in it.
int lastCalibrationMode();
void setLastCalibrationMode(int mode);

// Writes one meter type's part of the Global store to the settings store in one transaction.
// False when the store could not be written; the Global store keeps its contents either way.
bool saveGlobalCalibrationStore(MeterType meter);

}  // namespace velunor
