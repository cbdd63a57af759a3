#include "scheduler.h"

#include "framing.h"
#include "project_index.h"
#include "server.h"

#include <atomic>
#include <cerrno>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

#include <unistd.h>

namespace dialoscope::lsp {

namespace {

std::string IdKey(const TJson& id) {
    return id.dump();
}

// Frames go out whole, one at a time, from any thread; a write that fails ends the serving.
class TFrameOutput {
public:
    explicit TFrameOutput(int fd) : Fd_(fd) {}

    void Send(const TJson& message) {
        const std::string frame = WriteFrame(DumpMessage(message));
        const std::lock_guard lock(Mutex_);
        std::size_t written = 0;
        while (written < frame.size() && !Broken_) {
            const ssize_t n = ::write(Fd_, frame.data() + written, frame.size() - written);
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n <= 0) {
                Broken_ = true;
                break;
            }
            written += static_cast<std::size_t>(n);
        }
    }
    bool Broken() const {
        const std::lock_guard lock(Mutex_);
        return Broken_;
    }

private:
    int Fd_;
    mutable std::mutex Mutex_;
    bool Broken_ = false;
};

// One item for the serving thread: a message, an index made beside it, or the input's end.
struct TQueued {
    TJson Message;
    std::shared_ptr<const TProjectIndex> Index;
    bool End = false;
};

// What the reading, indexing and serving threads share. The sharing rule: every member is read
// and written under Mutex, and the server itself is touched only by the serving thread.
struct TShared {
    explicit TShared(int outputFd) : Output(outputFd) {}

    TFrameOutput Output;
    std::mutex Mutex;
    std::condition_variable Arrived;
    std::deque<TQueued> Queue;
    std::set<std::string> Cancelled; // ids of requests the client gave up

    void Push(TQueued item) {
        {
            const std::lock_guard lock(Mutex);
            Queue.push_back(std::move(item));
        }
        Arrived.notify_one();
    }
    // True once: the answer to a cancelled request is the cancellation.
    bool TakeCancelled(const TJson& id) {
        const std::lock_guard lock(Mutex);
        return Cancelled.erase(IdKey(id)) > 0;
    }
    // Whether a change of the document came in after the request: its answer would be stale.
    bool Superseded(const std::string& uri) {
        if (uri.empty()) {
            return false;
        }
        const std::lock_guard lock(Mutex);
        for (const TQueued& item : Queue) {
            if (item.Message.is_object() && item.Message.value("method", "") == "textDocument/didChange" &&
                TServer::DocumentUriOf(item.Message) == uri) {
                return true;
            }
        }
        return false;
    }
};

// The server's answers on their way out: a request the client cancelled while it ran is
// answered with the cancellation instead of its result.
class TAnswerOutput : public TOutput {
public:
    explicit TAnswerOutput(TShared& shared) : Shared_(shared) {}
    void Send(const TJson& message) override {
        if (IsResponse(message) && Shared_.TakeCancelled(message["id"])) {
            Shared_.Output.Send(
                ErrorMessage(message["id"], TErrorCode::RequestCancelled, "the request was cancelled"));
            return;
        }
        Shared_.Output.Send(message);
    }

private:
    TShared& Shared_;
};

// A frame's message, or nothing when the frame was answered at once as no message.
std::optional<TJson> MessageOf(TShared& shared, TFrameEvent& event) {
    if (event.Problem == TFrameProblem::BadHeader) {
        shared.Output.Send(ErrorMessage(nullptr, TErrorCode::ParseError, event.Detail));
        return std::nullopt;
    }
    if (event.Problem == TFrameProblem::TooLarge) {
        shared.Output.Send(ErrorMessage(nullptr, TErrorCode::InvalidRequest, event.Detail));
        return std::nullopt;
    }
    TJson message = TJson::parse(event.Body, nullptr, false);
    if (message.is_discarded()) {
        shared.Output.Send(ErrorMessage(nullptr, TErrorCode::ParseError, "the message is not JSON"));
        return std::nullopt;
    }
    return message;
}

bool IsCancellation(const TJson& message) {
    return IsNotification(message) && message["method"] == "$/cancelRequest" &&
           message.contains("params") && message["params"].is_object() &&
           message["params"].contains("id");
}

// Turns the input's frames into queued messages; answers what cannot be a message at once. The
// messages of one read are queued together, so a cancellation or a change that came with a
// request is seen before the request is served.
void ReadInput(const std::shared_ptr<TShared>& shared, int fd) {
    TFrameReader reader;
    std::vector<char> buffer(std::size_t{1} << 16);
    for (;;) {
        const ssize_t n = ::read(fd, buffer.data(), buffer.size());
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            break;
        }
        reader.Feed(std::string_view(buffer.data(), static_cast<std::size_t>(n)));
        std::vector<TJson> batch;
        while (std::optional<TFrameEvent> event = reader.Next()) {
            if (std::optional<TJson> message = MessageOf(*shared, *event)) {
                batch.push_back(std::move(*message));
            }
        }
        {
            const std::lock_guard lock(shared->Mutex);
            for (TJson& message : batch) {
                // Cancellation takes effect at once, not behind the work it cancels.
                if (IsCancellation(message)) {
                    shared->Cancelled.insert(IdKey(message["params"]["id"]));
                } else {
                    shared->Queue.push_back({std::move(message), nullptr, false});
                }
            }
        }
        shared->Arrived.notify_one();
    }
    shared->Push({nullptr, nullptr, true});
}

// One index at a time; asking for another stops the one being made.
class TBackgroundIndexer : public TIndexHost {
public:
    explicit TBackgroundIndexer(std::shared_ptr<TShared> shared) : Shared_(std::move(shared)) {}
    ~TBackgroundIndexer() override { StopRunning(); }

    void StartIndexing(std::string listPath, std::shared_ptr<const TTextCodePage> codePage) override {
        StopRunning();
        auto stop = std::make_shared<std::atomic<bool>>(false);
        Stop_ = stop;
        Thread_ = std::thread([shared = Shared_, stop, listPath = std::move(listPath),
                               codePage = std::move(codePage)] {
            try {
                std::shared_ptr<const TProjectIndex> index =
                    IndexProject(listPath, *codePage, [&] { return stop->load(); });
                if (index) {
                    shared->Push({nullptr, std::move(index), false});
                }
            } catch (const std::exception&) {
                // No index: the features that need one answer from the open scripts alone.
            }
        });
    }

private:
    void StopRunning() {
        if (Stop_) {
            Stop_->store(true);
        }
        if (Thread_.joinable()) {
            Thread_.join();
        }
    }

    std::shared_ptr<TShared> Shared_;
    std::shared_ptr<std::atomic<bool>> Stop_;
    std::thread Thread_;
};

// Waits for the next item; while none waits, the server's idle work runs between items.
TQueued NextItem(TShared& shared, TServer& server) {
    std::unique_lock lock(shared.Mutex);
    while (shared.Queue.empty()) {
        if (server.HasIdleWork()) {
            lock.unlock();
            server.DoIdleWork();
            lock.lock();
            continue;
        }
        shared.Arrived.wait(lock);
    }
    TQueued item = std::move(shared.Queue.front());
    shared.Queue.pop_front();
    return item;
}

void Serve(TShared& shared, TServer& server, const TQueued& item) {
    if (item.Index) {
        server.AcceptIndex(item.Index);
        return;
    }
    const TJson& message = item.Message;
    if (IsRequest(message)) {
        if (shared.TakeCancelled(message["id"])) {
            shared.Output.Send(
                ErrorMessage(message["id"], TErrorCode::RequestCancelled, "the request was cancelled"));
            return;
        }
        if (shared.Superseded(TServer::DocumentUriOf(message))) {
            shared.Output.Send(ErrorMessage(message["id"], TErrorCode::ContentModified,
                                            "the document changed after the request"));
            return;
        }
    }
    server.Handle(message);
}

} // namespace

int ServeStreams(int inputFd, int outputFd) {
    auto shared = std::make_shared<TShared>(outputFd);
    TAnswerOutput output(*shared);
    TBackgroundIndexer indexer(shared);
    TServer server(output, &indexer);
    // The reader may stay blocked on input after exit; it holds its share of the state and ends
    // with the process.
    std::thread(ReadInput, shared, inputFd).detach();
    for (;;) {
        const TQueued item = NextItem(*shared, server);
        if (item.End) {
            break;
        }
        Serve(*shared, server, item);
        if (server.Exited() || shared->Output.Broken()) {
            break;
        }
    }
    return server.ExitCode();
}

} // namespace dialoscope::lsp
