#include "screen/run_count.h"

#include "base/settings_keys.h"
#include "rating/stored_counter.h"

namespace strumwise::screen {

void countRun(platform::UserDefaults& defaults, platform::Log& log,
              std::string_view applicationDomain) {
    if (defaults.boolForKey(settings::kHasRunBeforeKey)) {
        log.write("Ya se abrió antes");
        rating::incrementStoredCount(defaults, settings::kNumberOfRunsKey, log);
        defaults.synchronize();
        return;
    }
    log.write(
        "Me abriste por primera vez, voy a borrar los defaults y guardar 440 en NSDictionary y "
        "como valores de a4InHz y globalFrequency");
    defaults.setEmptyPersistentDomain(applicationDomain);
    defaults.setInteger(1, settings::kNumberOfRunsKey);
    defaults.synchronize();
    defaults.setBool(true, settings::kHasRunBeforeKey);
    defaults.synchronize();
}

}  // namespace strumwise::screen
