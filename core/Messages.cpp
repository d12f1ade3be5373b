#include "core/Messages.h"

#include <iostream>

namespace Messages {

void say(const std::string& message) {
    std::cerr << "kelvarin: " << message << std::endl;
}

}  // namespace Messages
