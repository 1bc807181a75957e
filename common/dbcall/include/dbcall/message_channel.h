// Where a library's messages go: the handler its caller installed through the library's own
// setter, or stderr with the library's name in front. Texts are written in UTF-8 here and
// delivered in CP932, as every text crosses the library boundary.
#pragma once

#include <string_view>

namespace dbcall {

using MessageHandler = void (*)(void* context, const char* cp932Text);

// A text a library shows, in UTF-8; each library names its own texts.
struct MessageText {
    const char* utf8;
};

class MessageChannel {
  public:
    // `name` prefixes the lines written to stderr while no handler is installed.
    explicit constexpr MessageChannel(const char* name) : name_(name) {}
    MessageChannel(const MessageChannel&) = delete;
    MessageChannel& operator=(const MessageChannel&) = delete;

    // nullptr restores the default (stderr).
    void install(MessageHandler handler, void* context);

    void send(std::string_view utf8) const;
    void send(MessageText text) const { send(text.utf8); }
    // The text with its first "%d" replaced by `count`.
    void send(MessageText text, int count) const;

  private:
    const char* name_;
    MessageHandler handler_ = nullptr;
    void* context_ = nullptr;
};

}  // namespace dbcall
