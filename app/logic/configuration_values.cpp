#include "app/logic/configuration_values.h"

namespace brondavel::app {

ConfigurationValues WithModelType(ConfigurationValues values, int modelType) {
    values.modelType = modelType;
    if (modelType == 2) {
        values.flashType = 0;
        values.compressMode = 0;
    }
    return values;
}

}  // namespace brondavel::app
