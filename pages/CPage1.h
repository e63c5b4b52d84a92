// The topics page: four questions about ordering, answered on hover.
#pragma once

#include "app/Vendor.h"
#include "pages/CPage1_2.h"
#include "resources/resource.h"

inline constexpr char TopicsDefaultMessage[] = "Choose a topic above, or click one of the buttons below.";

inline constexpr const char* TopicTitles[4] = {
    "1. What is Shareware?",
    "2. How much is it and what do I get?",
    "3. Can I get a CD-ROM?",
    "4. What are Quintara Software's other games?",
};

extern const char* const TopicAnswers[4];

inline constexpr ImageButton TopicsButtons[4] = {
    {ID_ONLINE, {6, 412, 111, 440}, {0, 406, 116, 450}, 0, 450,
     "Click here and I'll launch your browser and take you right to Quintara Software's secure online order form."},
    {ID_PHONE, {122, 412, 191, 440}, {116, 406, 196, 450}, 116, 450,
     "Click here to order by phone.\nIf you're in the the U.S., it's a free call!"},
    {ID_ORDERFORM, {202, 412, 345, 440}, {196, 406, 350, 450}, 196, 450,
     "Click here to use our handy order form. Use it to order by post, fax or e-mail"},
    {IDCANCEL, {356, 412, 407, 440}, {350, 406, 415, 450}, 350, 450,
     "Aww, you're not going to order now? :-( See you later."},
};

class CPage1 : public CPage1_2 {
public:
    CPage1(int buttonCount, const ImageButton* buttons, WORD artworkId, HWND hostWindow, const char* defaultMessage);
    ~CPage1() override;

    void Paint(HDC dc, const RECT* updateRect) override;
    int OnMouseMove(int x, int y) override;

protected:
    RECT topicRects[4];
};
