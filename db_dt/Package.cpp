// Identity of the zymqix_db_dt package.
namespace zymqix {
const char* zymqix_db_dt_PackageName() { return "zymqix_db_dt"; }
}  // namespace zymqix
