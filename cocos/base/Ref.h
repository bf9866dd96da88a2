// Intrusive reference counting shared by every engine object: the creator holds one reference,
// containers retain what they keep, and the last release deletes the object.
#pragma once

namespace cocos2d {

class Ref {
 public:
  Ref(const Ref&) = delete;
  Ref& operator=(const Ref&) = delete;
  virtual ~Ref();

  void retain();
  // Deletes the object when the count reaches zero.
  void release();
  // Hands the creator's reference to the autorelease pool, which releases it at the end of the
  // frame unless someone retained the object meanwhile.
  Ref* autorelease();

 protected:
  Ref() = default;

 private:
  unsigned int _referenceCount = 1;
};

}  // namespace cocos2d
