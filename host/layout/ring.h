// ring.h: the communication ring: subscribers by topic, and events posted to them.
#ifndef ZKH_RING_H
#define ZKH_RING_H

#include "lwhost/lwhost.h"

#include <cstddef>
#include <mutex>
#include <string>
#include <vector>

namespace zkh {

// Events may be posted from any thread; a subscriber's callback runs on the posting thread,
// outside the ring's lock (so that it may attach, detach or post in turn).
class CommunicationRing {
public:
    int Attach(const std::string &topic, void *clientData, RingEvent callback);
    void Detach(const std::string &topic, void *clientData);
    void Post(const std::string &topic, int eventCode, void *eventData);
    size_t SubscriberCount(const std::string &topic);

private:
    struct Subscriber {
        std::string topic;
        void *clientData;
        RingEvent callback;
    };
    std::mutex mutex_;
    std::vector<Subscriber> subscribers_;
};

} // namespace zkh

#endif
