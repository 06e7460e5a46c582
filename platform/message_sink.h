#pragma once

#include <string_view>

namespace nw {

// Shows a message to the user and returns once it has been dismissed.
class MessageSink {
 public:
  virtual ~MessageSink() = default;
  virtual void ShowMessage(std::string_view text) = 0;
};

}  // namespace nw
