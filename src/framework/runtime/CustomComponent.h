#pragma once

#include "Component.h"

// The common base of this program's non-visual components.
class TCustomComponent : public TComponent {
public:
  using TComponent::TComponent;
};
