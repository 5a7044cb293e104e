#pragma once
// The standard controls: push button, edit, combo box and label.
#include "stdctrls/button.h"
#include "stdctrls/combobox.h"
#include "stdctrls/edit.h"
#include "stdctrls/label.h"
