#pragma once
// The standard controls: push button, edit, combo box and label.
#include "framework/button.h"
#include "framework/combobox.h"
#include "framework/edit.h"
#include "framework/label.h"
