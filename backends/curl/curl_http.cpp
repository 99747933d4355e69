#include "backends/curl/curl_http.h"

#include <curl/curl.h>

#include <map>
#include <mutex>
#include <thread>
#include <vector>

namespace bt {

namespace {

struct Transfer {
    HttpRequestId id = 0;
    CURL* easy = nullptr;
    std::string body;
    std::size_t maxBody = 0;
    bool overflow = false;
};

std::size_t onData(char* data, std::size_t size, std::size_t count, void* user) {
    auto* t = static_cast<Transfer*>(user);
    const std::size_t n = size * count;
    if (t->body.size() + n > t->maxBody) {
        t->overflow = true;
        return 0; // aborts the transfer
    }
    t->body.append(data, n);
    return n;
}

// Callbacks live on the UI thread; the worker only ever posts ids and results.
struct Live {
    std::map<HttpRequestId, std::function<void(HttpResult)>> callbacks;
};

} // namespace

struct CurlHttp::Impl {
    Post post;
    HttpOptions options;
    std::shared_ptr<Live> live = std::make_shared<Live>();
    HttpRequestId nextId = 1;

    std::mutex mutex;
    std::vector<std::pair<HttpRequestId, std::string>> incoming;
    std::vector<HttpRequestId> cancels;
    bool stopping = false;

    CURLM* multi = nullptr;
    std::map<CURL*, std::unique_ptr<Transfer>> active; // worker thread only
    std::thread worker;

    void start(HttpRequestId id, const std::string& url) {
        auto t = std::make_unique<Transfer>();
        t->id = id;
        t->maxBody = options.maxBody;
        CURL* e = curl_easy_init();
        t->easy = e;
        curl_easy_setopt(e, CURLOPT_URL, url.c_str());
        // Web addresses only, for the first request and for every redirect it follows.
        curl_easy_setopt(e, CURLOPT_PROTOCOLS_STR, "http,https");
        curl_easy_setopt(e, CURLOPT_FOLLOWLOCATION, 1L);
        curl_easy_setopt(e, CURLOPT_MAXREDIRS, options.maxRedirects);
        curl_easy_setopt(e, CURLOPT_CONNECTTIMEOUT_MS,
                         static_cast<long>(options.connectTimeout.count()));
        curl_easy_setopt(e, CURLOPT_TIMEOUT_MS, static_cast<long>(options.totalTimeout.count()));
        curl_easy_setopt(e, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(options.maxBody));
        curl_easy_setopt(e, CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(e, CURLOPT_USERAGENT, kUserAgent);
        curl_easy_setopt(e, CURLOPT_WRITEFUNCTION, onData);
        curl_easy_setopt(e, CURLOPT_WRITEDATA, t.get());
        curl_easy_setopt(e, CURLOPT_ACCEPT_ENCODING, "");
        curl_multi_add_handle(multi, e);
        active[e] = std::move(t);
    }

    void drop(CURL* e) {
        curl_multi_remove_handle(multi, e);
        curl_easy_cleanup(e);
        active.erase(e);
    }

    void finish(CURL* e, CURLcode code) {
        Transfer& t = *active[e];
        long status = 0;
        curl_easy_getinfo(e, CURLINFO_RESPONSE_CODE, &status);
        // A transfer that could not be completed has no answer to show.
        deliver(t.id, code != CURLE_OK ? HttpResult::failure(t.overflow ? kAnswerTooLarge
                                                                        : curl_easy_strerror(code))
                                       : HttpResult::answer(static_cast<int>(status), t.body));
        drop(e);
    }

    void deliver(HttpRequestId id, HttpResult r) {
        std::weak_ptr<Live> weak = live;
        post([weak, id, r = std::move(r)]() mutable {
            const auto l = weak.lock();
            if (!l)
                return;
            auto entry = l->callbacks.extract(id);
            if (!entry)
                return; // cancelled meanwhile
            if (entry.mapped())
                entry.mapped()(std::move(r));
        });
    }

    void run() {
        for (;;) {
            std::vector<std::pair<HttpRequestId, std::string>> starts;
            std::vector<HttpRequestId> stops;
            {
                std::lock_guard lock(mutex);
                if (stopping)
                    break;
                starts.swap(incoming);
                stops.swap(cancels);
            }
            // Starts first, so that a request cancelled before the worker saw it is dropped too.
            for (auto& [id, url] : starts)
                start(id, url);
            for (HttpRequestId id : stops) {
                for (auto& [e, t] : active) {
                    if (t->id == id) {
                        drop(e);
                        break;
                    }
                }
            }
            int running = 0;
            curl_multi_perform(multi, &running);
            int left = 0;
            while (CURLMsg* m = curl_multi_info_read(multi, &left))
                if (m->msg == CURLMSG_DONE)
                    finish(m->easy_handle, m->data.result);
            // With nothing to fetch the thread sleeps until a request or the end wakes it.
            curl_multi_poll(multi, nullptr, 0, active.empty() ? 3'600'000 : 1000, nullptr);
        }
        while (!active.empty())
            drop(active.begin()->first);
    }
};

CurlHttp::CurlHttp(Post post, HttpOptions options) : impl_(std::make_unique<Impl>()) {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
    impl_->post = std::move(post);
    impl_->options = options;
    impl_->multi = curl_multi_init();
    impl_->worker = std::thread([impl = impl_.get()] { impl->run(); });
}

CurlHttp::~CurlHttp() {
    {
        std::lock_guard lock(impl_->mutex);
        impl_->stopping = true;
    }
    curl_multi_wakeup(impl_->multi);
    impl_->worker.join();
    curl_multi_cleanup(impl_->multi);
}

HttpRequestId CurlHttp::get(std::string url, std::function<void(HttpResult)> done) {
    const HttpRequestId id = impl_->nextId++;
    impl_->live->callbacks[id] = std::move(done);
    {
        std::lock_guard lock(impl_->mutex);
        impl_->incoming.emplace_back(id, std::move(url));
    }
    curl_multi_wakeup(impl_->multi);
    return id;
}

void CurlHttp::cancel(HttpRequestId id) {
    // Never delivered from now on; the worker drops the transfer if it still runs.
    impl_->live->callbacks.erase(id);
    {
        std::lock_guard lock(impl_->mutex);
        impl_->cancels.push_back(id);
    }
    curl_multi_wakeup(impl_->multi);
}

} // namespace bt
