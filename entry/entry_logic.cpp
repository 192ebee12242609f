// Placeholder translation unit of the shape entry logic library; replaced as its stages arrive.
namespace vx {
int EntryLogicLinked() { return 0; }
}  // namespace vx
