// ring.cpp: the communication ring.
#include "ring.h"

namespace zkh {

int CommunicationRing::Attach(const std::string &topic, void *clientData, RingEvent callback)
{
    std::lock_guard<std::mutex> lock(mutex_);
    subscribers_.push_back({topic, clientData, callback});
    return 1;
}

void CommunicationRing::Detach(const std::string &topic, void *clientData)
{
    std::lock_guard<std::mutex> lock(mutex_);
    for (auto it = subscribers_.begin(); it != subscribers_.end(); ++it) {
        if (it->topic == topic && it->clientData == clientData) {
            subscribers_.erase(it);
            return;
        }
    }
}

void CommunicationRing::Post(const std::string &topic, int eventCode, void *eventData)
{
    std::vector<Subscriber> subscribers;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        for (const Subscriber &subscriber : subscribers_)
            if (subscriber.topic == topic)
                subscribers.push_back(subscriber);
    }
    for (const Subscriber &subscriber : subscribers)
        subscriber.callback(subscriber.clientData, nullptr, eventCode, eventData);
}

size_t CommunicationRing::SubscriberCount(const std::string &topic)
{
    std::lock_guard<std::mutex> lock(mutex_);
    size_t count = 0;
    for (const Subscriber &subscriber : subscribers_)
        count += subscriber.topic == topic;
    return count;
}

} // namespace zkh
