// Identity of the zymqix_db_rt package.
namespace zymqix {
const char* zymqix_db_rt_PackageName() { return "zymqix_db_rt"; }
}  // namespace zymqix
