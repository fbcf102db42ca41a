#pragma once
// A plain form for tests that place controls on a real window.
#include "ui/Form.h"
#include "ui/Graphics.h"

namespace testsupport {

class TestForm : public ui::Form {
public:
    explicit TestForm(int width = 420, int height = 360) {
        static const platform::WindowClass windowClass(FormClass(L"TVelmorTestForm"));
        CreateForm(windowClass, {.caption = L"Test",
                    .bounds = {20, 20, width, height},
                    .dialogKeys = true});
        SetFormFont(ui::CreateMenuFont());
    }
};

}  // namespace testsupport
