// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "overviews/background_reader.h"

#include <QThread>
#include <algorithm>

BackgroundReader::~BackgroundReader()
{
    stop();
    for (QThread* thread : threads_) {
        thread->wait();
        delete thread;
    }
}

void BackgroundReader::start(Job job)
{
    stop();
    const int generation = ++generation_;
    auto cancel = std::make_shared<std::atomic<bool>>(false);
    cancel_ = cancel;
    const Deliver deliver = [this, generation](std::function<void()> work) {
        QMetaObject::invokeMethod(
            this,
            [this, generation, work = std::move(work)] {
                if (generation == generation_)
                    work();
            },
            Qt::QueuedConnection);
    };
    QThread* thread = QThread::create([job = std::move(job), cancel, deliver, this, generation] {
        job(*cancel, deliver);
        // Queued after everything the read handed over, so it ends after them.
        QMetaObject::invokeMethod(
            this,
            [this, generation] {
                if (generation == generation_)
                    cancel_.reset();
            },
            Qt::QueuedConnection);
    });
    threads_.push_back(thread);
    connect(thread, &QThread::finished, this, [this, thread] {
        threads_.erase(std::remove(threads_.begin(), threads_.end(), thread), threads_.end());
        thread->deleteLater();
    });
    thread->start();
}

void BackgroundReader::stop()
{
    if (cancel_)
        *cancel_ = true;
    cancel_.reset();
    ++generation_;
}
