// ring.cpp: the communication ring.
#include "host.h"

namespace zkh {

int Host::RingAttach(const std::string &topic, void *clientData, RingEvent callback)
{
    std::lock_guard<std::mutex> lock(ringMutex_);
    ring_.push_back({topic, clientData, callback});
    return 1;
}

void Host::RingDetach(const std::string &topic, void *clientData)
{
    std::lock_guard<std::mutex> lock(ringMutex_);
    for (auto it = ring_.begin(); it != ring_.end(); ++it) {
        if (it->topic == topic && it->clientData == clientData) {
            ring_.erase(it);
            return;
        }
    }
}

void Host::RingPost(const std::string &topic, int eventCode, void *eventData)
{
    std::vector<RingSubscriber> subscribers;
    {
        std::lock_guard<std::mutex> lock(ringMutex_);
        for (const RingSubscriber &subscriber : ring_)
            if (subscriber.topic == topic)
                subscribers.push_back(subscriber);
    }
    for (const RingSubscriber &subscriber : subscribers)
        subscriber.callback(subscriber.clientData, nullptr, eventCode, eventData);
}

size_t Host::RingSubscriberCount(const std::string &topic)
{
    std::lock_guard<std::mutex> lock(ringMutex_);
    size_t count = 0;
    for (const RingSubscriber &subscriber : ring_)
        count += subscriber.topic == topic;
    return count;
}

} // namespace zkh
