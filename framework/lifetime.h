#pragma once
// Whether an object was destroyed during a call made on its behalf. A
// handler may free the very object whose step or message it handles, or the
// form that owns it; the code that called the handler must then touch
// nothing of the object on its way out. The object holds a Lifetime; that
// code keeps a Watch of it on its own stack and asks it, once the call
// returns, before it touches the object again. User-interface thread only.
namespace fw {

class Lifetime {
 public:
  class Watch;

  Lifetime() = default;
  Lifetime(const Lifetime&) = delete;
  Lifetime& operator=(const Lifetime&) = delete;
  // Every watch still running learns that the object has gone.
  ~Lifetime();

  // Some call made on the object's behalf is running now.
  bool Watched() const { return watches_ != nullptr; }

 private:
  Watch* watches_ = nullptr;  // the innermost running watch
};

class Lifetime::Watch {
 public:
  explicit Watch(Lifetime& lifetime);
  Watch(const Watch&) = delete;
  Watch& operator=(const Watch&) = delete;
  ~Watch();
  // The object was destroyed meanwhile.
  bool Ended() const { return ended_; }

 private:
  friend class Lifetime;
  Lifetime& lifetime_;
  Watch* outer_;
  bool ended_ = false;
};

}  // namespace fw
