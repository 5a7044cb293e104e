#pragma once
// Failures of the drawing layer; all are core::Exception descendants so the
// application's error display shows them like any other.
#include "core/exceptions.h"

namespace fw {

// A GDI call that should have given an object or a DC gave none.
class EOutOfResources : public core::Exception {
 public:
  using core::Exception::Exception;
};
// Picture bytes that are not a bitmap this layer can read.
class EInvalidGraphic : public core::Exception {
 public:
  using core::Exception::Exception;
};
// Drawing on a canvas that has no device context.
class EInvalidGraphicOperation : public core::Exception {
 public:
  using core::Exception::Exception;
};
// A named or numbered resource that is not in the module.
class EResNotFound : public core::Exception {
 public:
  using core::Exception::Exception;
};
// An index outside a string list.
class EStringListError : public core::Exception {
 public:
  using core::Exception::Exception;
};

}  // namespace fw
