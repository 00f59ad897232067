#pragma once
#include <QByteArrayView>
#include <QString>

// What an ".mp3" file holds, read from its frame headers without decoding: whether it is
// MPEG audio at all and how long it plays. Used to refuse a file that is not audio before it
// reaches the player, and to give a book's length where no player runs (the command line).
struct Mp3Probe {
    bool isAudio = false;
    qint64 durationMs = 0;
    qint64 frames = 0;
    int sampleRate = 0;
    int channels = 0;
    int bitrateKbps = 0; // of the first audio frame

    static Mp3Probe probeFile(const QString& path);
    static Mp3Probe probe(QByteArrayView bytes);
};
