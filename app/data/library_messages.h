// Routes the messages of the three data libraries to one handler for as long as the object
// lives; afterwards they go to the libraries' default again (standard error).
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

    Handler handler_;
};

}  // namespace data
