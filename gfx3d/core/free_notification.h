// References between components that are not ownership (a camera's target,
// a proxy's master, a material's library): the referenced object tells every
// holder when it goes, so no holder keeps a dangling pointer.
#pragma once

#include <algorithm>
#include <vector>

class TObject;

class IFreeNotificationSink {
 public:
  virtual ~IFreeNotificationSink() = default;
  // object is being destroyed; drop every reference to it.
  virtual void ObjectFreed(TObject* object) = 0;
};

class TFreeNotifier {
 public:
  void Add(IFreeNotificationSink* sink) {
    if (std::find(sinks_.begin(), sinks_.end(), sink) == sinks_.end()) sinks_.push_back(sink);
  }
  void Remove(IFreeNotificationSink* sink) { std::erase(sinks_, sink); }
  // Called once by the destructor of the referenced object.
  void NotifyFreed(TObject* self) {
    const std::vector<IFreeNotificationSink*> sinks = std::move(sinks_);
    sinks_.clear();
    for (IFreeNotificationSink* sink : sinks) sink->ObjectFreed(self);
  }

 private:
  std::vector<IFreeNotificationSink*> sinks_;
};
