// Identity of the zymqix_dt package.
namespace zymqix {
const char* zymqix_dt_PackageName() { return "zymqix_dt"; }
}  // namespace zymqix
