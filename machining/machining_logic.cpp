// Placeholder translation unit of the machining output logic library; replaced as its stages arrive.
namespace vx {
int MachiningLogicLinked() { return 0; }
}  // namespace vx
