#include "win/app/application.h"

namespace klaxora::win {

Forms& App() {
    static Forms forms;
    return forms;
}

}  // namespace klaxora::win
