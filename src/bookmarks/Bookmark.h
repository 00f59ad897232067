#pragma once
#include <QString>

// One bookmark: the five columns of the bookmark list, in order.
struct Bookmark {
    QString title;
    QString category;
    QString date;      // as it was shown when the bookmark was added
    QString reference; // "GENESIS 001:001"
    QString fileName;  // the snapshot in the "Bookmarks" folder, unique in the list

    bool operator==(const Bookmark& o) const {
        return title == o.title && category == o.category && date == o.date &&
               reference == o.reference && fileName == o.fileName;
    }
};
