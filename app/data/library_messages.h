// Routes the messages of the three data libraries to one handler for as long as the object
// lives; afterwards they go to the handler routed before it, or to the libraries' default
// (standard error) when there was none. So a window can take the messages of one call and say
// something of its own instead.
#pragma once

#include <functional>
#include <string>

namespace data {

class LibraryMessages {
  public:
    // Receives each message as the library wrote it (CP932).
    using Handler = std::function<void(const std::string& text)>;

    explicit LibraryMessages(Handler handler);
    ~LibraryMessages();
    LibraryMessages(const LibraryMessages&) = delete;
    LibraryMessages& operator=(const LibraryMessages&) = delete;

  private:
    static void deliver(void* self, const char* text);
    static void route(LibraryMessages* to);

    Handler handler_;
    LibraryMessages* previous_;
    static inline LibraryMessages* routed_ = nullptr;
};

}  // namespace data
