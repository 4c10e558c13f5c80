#include "app/font_preload.h"

#include <fontconfig/fontconfig.h>
#include <pthread.h>
#include <sched.h>

namespace trov {

namespace {

void setPolicy(pthread_t thread, int policy) {
    sched_param none{};
    pthread_setschedparam(thread, policy, &none);
}

} // namespace

// Fontconfig keeps the configuration this loads as its current one, so the window's own
// font database finds it loaded; two loads at once would both do the work, hence wait().
// The load takes only time the processors would spend idle while the program waits on the
// display server, so on a machine of two cores it does not slow the connection down.
FontPreload::FontPreload()
    : loader_([] {
          setPolicy(pthread_self(), SCHED_IDLE);
          FcInit();
      }) {}

FontPreload::~FontPreload() { wait(); }

void FontPreload::wait() {
    if (!loader_.joinable())
        return;
    // From here the window waits for it: the load runs at the program's own priority.
    setPolicy(loader_.native_handle(), SCHED_OTHER);
    loader_.join();
}

} // namespace trov
