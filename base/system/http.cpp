#include "base/system/http.h"

#include "base/body_text.h"

namespace bt {

HttpResult HttpResult::answer(int status, std::string_view bytes) {
    HttpResult r;
    r.status = status;
    r.body = bodyToText(bytes);
    return r;
}

HttpResult HttpResult::failure(std::string why) {
    HttpResult r;
    r.error = std::move(why);
    return r;
}

} // namespace bt
