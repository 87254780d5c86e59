#include "library/ArrUJobsView.h"

#include "files/WindowImage.h"

std::string PrgFileImage(const std::string& path, const std::string& file, bool pgg) {
    std::string img = WindowImageNew(21, file);
    ImgTitleSet(img, path);
    ImgSet(img, ImgPrgType, pgg ? 1 : 0);
    return img;
}
