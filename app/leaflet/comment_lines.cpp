#include "leaflet/comment_lines.h"

namespace leaflet {

std::vector<std::string_view> commentLines(std::string_view comment) {
    std::vector<std::string_view> lines;
    while (static_cast<int>(lines.size()) < kMaxCommentLines) {
        const std::size_t feed = comment.find('\n');
        if (feed == std::string_view::npos) {
            if (!comment.empty()) lines.push_back(comment);
            break;
        }
        std::string_view line = comment.substr(0, feed);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        comment.remove_prefix(feed + 1);
    }
    return lines;
}

}  // namespace leaflet
