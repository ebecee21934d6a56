#include "AppError.h"

QString ErrorDescription(AppError e)
{
    switch (e) {
        case AppError::None:
            break;
        case AppError::Conversion:
            return QStringLiteral("型が一致しません。");
        case AppError::Overflow:
            return QStringLiteral("オーバーフローしました。");
        case AppError::Drawing:
            return QStringLiteral("印刷または描画中にエラーが発生しました。");
    }
    return QString();
}

int ErrorNumber(AppError e)
{
    // The numbers users of the original platform know these errors by.
    switch (e) {
        case AppError::None:
            break;
        case AppError::Conversion:
            return 13;
        case AppError::Overflow:
            return 6;
        case AppError::Drawing:
            return 482;
    }
    return 0;
}
