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

// A topic is selected exactly when the current message is its answer (by
// address), so each answer is its own text. Each fits the message area in
// the 20-pixel font.
inline constexpr const char* TopicAnswers[4] = {
    "Shareware lets people try software before buying it, and then purchase it for as little money as "
    "possible. It eliminates both middle-men and wasteful packaging, and we pass the savings along to you! ",
    "Zorbel Solitaire is only US$14.95. For that you get the full version without nag screens, free upgrades "
    "to every new version, and friendly support by phone or e-mail whenever you need it.",
    "Yes! For US$10 more we will ship Zorbel Solitaire to you on CD-ROM. The disc holds the most recent "
    "version of the game plus demonstration versions of Quintara Software's other games.",
    "Quintara Software has been making great shareware games for over five years. We've got more wonderful "
    "games than I can tell you about here. Check out our web site and I'll show you more. " VENDOR_WEB_HOST_CAPS,
};

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
    // -1 when the point is on no topic line.
    int HitTopic(int x, int y) const;
    void InvalidateTopic(int index) const;

    RECT topicRects[4];   // hover area and repaint area of each topic line
};
