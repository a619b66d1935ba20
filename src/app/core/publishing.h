#pragma once
// Starting MQTT publishing from mqtt.cfg in the program folder.
#include <memory>
#include <ostream>
#include <string>

#include "mqtt/mqtt_publisher.h"
#include "platform/clock.h"

namespace tamsel {

// The publisher, not yet started (the session starts it), when mqtt.cfg enables publishing; none
// when the file is missing, publishing is off, or its settings cannot be used. What needs the
// user's attention (settings that cannot be used, a password in a file others can read) goes to
// errorlog.txt and `messages`.
std::unique_ptr<MqttPublisher> startPublishing(const std::string& programFolder, const Clock& clock,
                                               const std::string& version, std::ostream& messages);

}  // namespace tamsel
