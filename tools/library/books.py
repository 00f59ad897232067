"""The 66 books, their names in the exported modules, and the book catalogue."""

# (name in the SWORD export, reference name, list caption)
BOOKS = [
    ("Genesis", "Genesis", "Genesis"),
    ("Exodus", "Exodus", "Exodus"),
    ("Leviticus", "Leviticus", "Leviticus"),
    ("Numbers", "Numbers", "Numbers"),
    ("Deuteronomy", "Deuteronomy", "Deuteronomy"),
    ("Joshua", "Joshua", "Joshua"),
    ("Judges", "Judges", "Judges"),
    ("Ruth", "Ruth", "Ruth"),
    ("I Samuel", "1 Samuel", "1 Samuel"),
    ("II Samuel", "2 Samuel", "2 Samuel"),
    ("I Kings", "1 Kings", "1 Kings"),
    ("II Kings", "2 Kings", "2 Kings"),
    ("I Chronicles", "1 Chronicles", "1 Chronicles"),
    ("II Chronicles", "2 Chronicles", "2 Chronicles"),
    ("Ezra", "Ezra", "Ezra"),
    ("Nehemiah", "Nehemiah", "Nehemiah"),
    ("Esther", "Esther", "Esther"),
    ("Job", "Job", "Job"),
    ("Psalms", "Psalms", "Psalms"),
    ("Proverbs", "Proverbs", "Proverbs"),
    ("Ecclesiastes", "Ecclesiastes", "Ecclesiastes"),
    ("Song of Solomon", "Song of Solomon", "Song of Solomon"),
    ("Isaiah", "Isaiah", "Isaiah"),
    ("Jeremiah", "Jeremiah", "Jeremiah"),
    ("Lamentations", "Lamentations", "Lamentations"),
    ("Ezekiel", "Ezekiel", "Ezekiel"),
    ("Daniel", "Daniel", "Daniel"),
    ("Hosea", "Hosea", "Hosea"),
    ("Joel", "Joel", "Joel"),
    ("Amos", "Amos", "Amos"),
    ("Obadiah", "Obadiah", "Obadiah"),
    ("Jonah", "Jonah", "Jonah"),
    ("Micah", "Micah", "Micah"),
    ("Nahum", "Nahum", "Nahum"),
    ("Habakkuk", "Habakkuk", "Habakkuk"),
    ("Zephaniah", "Zephaniah", "Zephaniah"),
    ("Haggai", "Haggai", "Haggai"),
    ("Zechariah", "Zechariah", "Zechariah"),
    ("Malachi", "Malachi", "Malachi"),
    ("Matthew", "Matthew", "Matthew"),
    ("Mark", "Mark", "Mark"),
    ("Luke", "Luke", "Luke"),
    ("John", "John", "John"),
    ("Acts", "Acts", "Acts"),
    ("Romans", "Romans", "Romans"),
    ("I Corinthians", "1 Corinthians", "1 Corinthians"),
    ("II Corinthians", "2 Corinthians", "2 Corinthians"),
    ("Galatians", "Galatians", "Galatians"),
    ("Ephesians", "Ephesians", "Ephesians"),
    ("Philippians", "Philippians", "Philippians"),
    ("Colossians", "Colossians", "Colossians"),
    ("I Thessalonians", "1 Thessalonians", "1 Thessalonians"),
    ("II Thessalonians", "2 Thessalonians", "2 Thessalonians"),
    ("I Timothy", "1 Timothy", "1 Timothy"),
    ("II Timothy", "2 Timothy", "2 Timothy"),
    ("Titus", "Titus", "Titus"),
    ("Philemon", "Philemon", "Philemon"),
    ("Hebrews", "Hebrews", "Hebrews"),
    ("James", "James", "James"),
    ("I Peter", "1 Peter", "1 Peter"),
    ("II Peter", "2 Peter", "2 Peter"),
    ("I John", "1 John", "1 John"),
    ("II John", "2 John", "2 John"),
    ("III John", "3 John", "3 John"),
    ("Jude", "Jude", "Jude"),
    ("Revelation of John", "Revelation", "Revelation"),
]

# Selections 67 to 72: the ranges are fixed by the program, these are captions.
GROUPS = [
    ("Law", "The Law (Genesis - Deuteronomy)"),
    ("Old Testament", "Old Testament"),
    ("New Testament", "New Testament"),
    ("Gospels", "The Gospels (Matthew - John)"),
    ("Synoptic Gospels", "Synoptic Gospels (Matthew - Luke)"),
    ("Whole Bible", "Whole Bible"),
]

BOOK_NUMBER = {export: i + 1 for i, (export, _, _) in enumerate(BOOKS)}

# Chapters per book in the 66-book canon (KJV versification).
CHAPTERS = [50, 40, 27, 36, 34, 24, 21, 4, 31, 24, 22, 25, 29, 36, 10, 13, 10, 42, 150,
            31, 12, 8, 66, 52, 5, 48, 12, 14, 3, 9, 1, 4, 7, 3, 3, 3, 2, 14, 4,
            28, 16, 24, 21, 28, 16, 16, 13, 6, 6, 4, 4, 5, 3, 6, 4, 3, 1, 13, 5,
            5, 3, 5, 1, 1, 1, 22]


def catalogue_lines():
    """The 72 lines of Books.txt (and of its pristine copy ref.txt)."""
    lines = []
    for i, (_, ref, caption) in enumerate(BOOKS):
        lines.append("%d\t%s\t%s" % (i + 1, ref, caption))
    for j, (ref, caption) in enumerate(GROUPS):
        lines.append("%d\t%s\t%s" % (67 + j, ref, caption))
    return lines
