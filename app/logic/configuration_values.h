// The receiver settings the Configuration dialog edits, and how choosing one
// changes the others.
#pragma once

namespace brondavel::app {

struct ConfigurationValues {
    int modelSetting = 0;
    int modelType = 2;
    int flashType = 3;
    int compressMode = 2;
    int account = 0;
};

// The first generation (model 2) knows neither flash types nor compression.
ConfigurationValues WithModelType(ConfigurationValues values, int modelType);

}  // namespace brondavel::app
