#pragma once
// The polymorphic root of the XML tree and of the parameter catalogue: the owning arrays hold
// their elements through this base and destroy them through its virtual destructor.

class object_with_destructor {
  public:
    object_with_destructor() = default;
    virtual ~object_with_destructor() = default;

    object_with_destructor(const object_with_destructor&) = delete;
    object_with_destructor& operator=(const object_with_destructor&) = delete;
};
