// The window classes that Windows lacks for the launcher's windows: a panel that hands its
// children's notifications on to the window, a painted line, and an image shown unscaled that
// reports clicks.
#pragma once

#include <windows.h>

#include <string>

#include "Picture.h"
#include "WindowDescription.h"

namespace kovar {

// Windows' COLORREF for a colour given as 0xRRGGBB.
constexpr COLORREF ToColorRef(Colour colour) {
  return RGB((colour >> 16) & 0xFF, (colour >> 8) & 0xFF, colour & 0xFF);
}

// A brush of a colour, made once and kept for the program's life.
HBRUSH SolidBrush(Colour colour);

// Registers the classes below once per program.
void RegisterControlClasses();

inline constexpr char kPanelClass[] = "KovarPanel";
inline constexpr char kLineClass[] = "KovarLine";
inline constexpr char kImageClass[] = "KovarImage";

// An image control: shows its picture from its top-left corner at the window's scale (a picture's
// pixel is 15 twips) and takes the picture's size at that scale. A clickable one sends its parent
// WM_COMMAND with STN_CLICKED when clicked, as a static control with SS_NOTIFY does.
HWND CreateImage(HWND parent, int id, const PixelsRect& place, bool clickable);
// Gives the image a picture (an empty one removes it; the image then keeps the size of its place).
void SetImagePicture(HWND image, Picture picture);
// Places the image at `place`, the place in pixels at `dpi`, and shows its picture at that scale.
void PlaceImage(HWND image, const PixelsRect& place, int dpi);
// What a screen reader is told of the image: its name and role; a push button's press is its
// click.
void DescribeImage(HWND image, std::string name, AccessibleRole role);
// The picture an image shows.
const Picture& ImagePicture(HWND image);

}  // namespace kovar
