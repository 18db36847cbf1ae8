// The hardware keyboard of a live window: typed text goes to the first responder (the text
// field being edited, in the front alert first, else in the screen's view tree), the delete
// key removes a character, Return ends editing as the return key does (and answers the front
// alert with its first other button, as its default), Escape cancels the front alert.
// Each answers whether the key did anything.
//   KeyboardDriver::insertText(screen, "#ff0000");  KeyboardDriver::pressReturn(screen);
#pragma once

#include <string>

class UITextField;
class UIView;

class KeyboardDriver {
public:
    // The text field that is being edited: the front alert's, else the first under root.
    static UITextField* firstResponder(UIView* root);

    static bool insertText(UIView* root, const std::string& text);
    static bool deleteBackward(UIView* root);
    static bool pressReturn(UIView* root);
    static bool pressEscape();
};
