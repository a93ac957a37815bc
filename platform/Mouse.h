#pragma once
// Screen.MousePointer: a value, not a stack. Setting the hourglass twice and the default once
// leaves the default.
namespace mouse {
constexpr int Default = 0;
constexpr int Hourglass = 11;
void setPointer(int pointer);
int pointer();
}  // namespace mouse
